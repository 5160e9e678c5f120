// A second browser: Debian's Firefox ESR, headless, driven over WebDriver BiDi by
// puppeteer-core, on the site in SCHED_WEB_SITE (web/check points it at the unpacked zip).
// One page goes through what a class does: each program's example against the console,
// Steps, the answer check, the four schedulers compared, a sheet, and a reload without
// the site's server. Printing is left to the Chromium tests: Firefox's print emulation and
// PDF over BiDi do not take the defaults those use.

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { mkdtemp, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';
import { example, runConsole, screenshots, site } from './browser.mjs';
import { serve } from './serve.mjs';

const programs = ['priority_sched', 'srtf_sched', 'fcfs_sched', 'fcfs_fixed', 'sum_cases'];

let server;
let browser;
let profile;
let page;
const errors = [];

before(async () => {
	server = await serve(site);
	profile = await mkdtemp(join(tmpdir(), 'sched-web-firefox-'));
	browser = await puppeteer.launch({
		browser: 'firefox',
		executablePath: process.env.SCHED_FIREFOX ?? '/usr/bin/firefox-esr',
		headless: true,
		userDataDir: profile,
		// Nothing but the site: no updates, studies or reports asked for on the way.
		extraPrefsFirefox: { 'app.update.enabled': false, 'datareporting.policy.dataSubmissionEnabled': false },
	});
	page = await browser.newPage();
	page.on('pageerror', (error) => errors.push(error.message));
	await page.setViewport({ width: 1100, height: 900 });
});

after(async () => {
	await browser?.close();
	await server?.close();
	if (profile) await rm(profile, { recursive: true, force: true });
});

// The page at `fragment`, once `ready` holds in it.
async function show(fragment, ready, ...args) {
	await page.evaluate((hash) => {
		location.hash = hash;
	}, fragment);
	await page.waitForFunction(ready, {}, ...args);
}

const reportIs = (want) => document.getElementById('output').dataset.state === 'done' &&
	document.getElementById('report').textContent === want;

test('Firefox: each program, Steps, the answer check, compare, a sheet, and offline', async () => {
	await page.goto(`${server.origin}/#priority_sched`);
	for (const program of programs) {
		await show(program, reportIs, await example(program, 'out'));
	}

	// Steps: the second entry of the example's account.
	await show('priority_sched', reportIs, await example('priority_sched', 'out'));
	await page.click('#step-next');
	const account = runConsole('priority_sched', await example('priority_sched', 'txt'), { args: ['--explain'] }).stdout.split('\n');
	assert.equal(await page.$eval('#step-sentence', (s) => s.textContent), account[1].slice(account[1].indexOf(': ') + 2));

	// The answer check names the order and the slip.
	const tieCase = '3\nA 2 1 1\nB 2 1 1\nC 2 0 1\n';
	await show(`priority_sched?${new URLSearchParams({ batch: tieCase, answer: 'B 2 1 0\nC 1 1 0\nA 3 2 2\n' })}`,
		() => document.getElementById('verdict').dataset.state === 'done');
	assert.deepEqual(await page.$$eval('#verdict .findings li', (items) => items.map((i) => i.dataset.kind)), ['order', 'waiting']);
	await page.screenshot({ path: join(screenshots, 'firefox-answer-check.png') });

	// Compare: the records priority_sched read, without their priorities.
	await show('priority_sched?view=compare&batch=2%0AA1+0+3%0AB0+1+2%0A%23+two+processes%0A',
		() => document.getElementById('compare-section').dataset.state === 'done');
	assert.deepEqual(await page.$$eval('tr[data-program="srtf_sched"] td[data-average]', (cells) => cells.map((c) => c.textContent)), ['3.5', '1']);

	// A sheet of two, its key the console's reports.
	await show('fcfs_sched?view=sheet&count=2&seed=5', () => document.getElementById('sheet-section').dataset.state === 'done');
	const sheet = await page.$$eval('.sheet-batch', (boxes) => boxes.map((b) => b.textContent));
	const key = await page.$$eval('.sheet-report', (boxes) => boxes.map((b) => b.textContent));
	assert.deepEqual(key, sheet.map((batch) => runConsole('fcfs_sched', batch).stdout));

	// Offline: the stored site answers once its server is gone.
	await page.evaluate(async () => {
		await navigator.serviceWorker.ready;
		while (!navigator.serviceWorker.controller) await new Promise((settle) => setTimeout(settle, 20));
	});
	await show('srtf_sched', reportIs, await example('srtf_sched', 'out'));
	await server.close();
	server = null;
	await page.reload();
	await page.waitForFunction(reportIs, {}, await example('srtf_sched', 'out'));
	assert.deepEqual(errors, []);
});
