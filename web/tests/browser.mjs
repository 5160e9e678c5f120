// What the browser tests share: Debian's Chromium, headless, driven by playwright-core with
// a fresh profile, against the site in build/web served on 127.0.0.1; and the console
// programs, the reference for every report and message.

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { mkdir, mkdtemp, readFile, rm } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { serve } from './serve.mjs';

export const checkout = resolve(dirname(fileURLToPath(import.meta.url)), '../..');
export const site = process.env.SCHED_WEB_SITE ?? join(checkout, 'build/web');
export const consoleBin = process.env.SCHED_CONSOLE_BIN ?? join(checkout, 'build/release/bin');
export const screenshots = process.env.SCHED_WEB_SCREENSHOTS ?? join(checkout, 'build/web-screenshots');

// A browser with the site served: {server, context, requests, close}. `requests` collects
// every address the pages asked for.
export async function startBrowser() {
	const server = await serve(site);
	const profile = await mkdtemp(join(tmpdir(), 'sched-web-chromium-'));
	await mkdir(screenshots, { recursive: true });
	const context = await chromium.launchPersistentContext(profile, {
		executablePath: '/usr/bin/chromium',
		headless: true,
		args: [
			'--no-sandbox',
			'--disable-gpu',
			'--disable-quic',
			'--no-first-run',
			'--disable-background-networking',
			'--disable-component-update',
			'--disable-sync',
		],
		viewport: { width: 1100, height: 900 },
		acceptDownloads: true,
	});
	const requests = [];
	context.on('request', (request) => requests.push(request.url()));
	return {
		server,
		context,
		requests,
		close: async () => {
			await context.close();
			await server.close();
			await rm(profile, { recursive: true, force: true });
		},
	};
}

// A page at `address` (a fragment such as "#srtf_sched"), its output done; errors in the
// page are collected in `errors`.
export async function openPage(browser, address, viewport, ready = '#output[data-state="done"]') {
	const page = await browser.context.newPage();
	const errors = [];
	page.on('pageerror', (error) => errors.push(error.message));
	page.on('console', (message) => {
		if (message.type() === 'error') errors.push(message.text());
	});
	if (viewport) await page.setViewportSize(viewport);
	await page.goto(`${browser.server.origin}/${address}`);
	await page.waitForSelector(ready);
	return { page, errors };
}

// The output belongs to the batch now in the box.
export function done(page) {
	return page.waitForSelector('#output[data-state="done"]');
}

// The batch in the box as typing or pasting puts it there.
export async function typeBatch(page, text) {
	await page.$eval('#batch', (box, value) => {
		box.value = value;
		box.dispatchEvent(new Event('input', { bubbles: true }));
	}, text);
	await done(page);
}

// `encoding` 'latin1' gives the output one character per byte, as the page's glue does.
export function runConsole(program, input, { args = [], encoding = 'utf8' } = {}) {
	const run = spawnSync(join(consoleBin, program), args, { input, encoding });
	assert.equal(run.error, undefined, `cannot run ${program} from ${consoleBin}`);
	return run;
}

export async function example(program, ending) {
	return readFile(join(checkout, 'examples', `${program}.${ending}`), 'utf8');
}

// Every address asked for is the site's own, from its server or `otherOrigins`.
export function assertOwnFilesOnly(browser, otherOrigins = []) {
	assert.ok(browser.requests.length > 0);
	const own = [browser.server.origin, ...otherOrigins].map((origin) => `${origin}/`);
	const foreign = browser.requests.filter((url) => !own.some((o) => url.startsWith(o)) && !/^(data|blob):/.test(url));
	assert.deepEqual(foreign, []);
}
