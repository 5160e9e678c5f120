// The page as a classroom tool, in the same headless Chromium: exercises from a seed, links,
// the four schedulers compared, exports, offline use, accessibility, a hostile link, the
// Steps view and the answer check. One page per feature; the console programs are the
// reference for every report, average and account.

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readdir, readFile } from 'node:fs/promises';
import { join, relative } from 'node:path';
import { createRequire } from 'node:module';
import { assertOwnFilesOnly, done, example, openPage, runConsole, screenshots, site, startBrowser, typeBatch } from './browser.mjs';
import { serve } from './serve.mjs';

const axeSource = await readFile(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

let browser;
const otherOrigins = []; // the offline test's own server

before(async () => {
	browser = await startBrowser();
});

after(async () => {
	await browser?.close();
});

const open = (address, viewport, ready) => openPage(browser, address, viewport, ready);
const shot = (page, name) => page.screenshot({ path: join(screenshots, `${name}.png`), fullPage: true });

// The batches of seed 2026 and of seed 11 with ties, as the page's generator makes them.
const seed2026 = '5\nA 3 2 4\nB 4 1 2\nC 4 7 2\nD 1 0 4\nE 2 1 2\n';
const seed11Ties = '6\nA 4 7 4\nB 3 7 4\nC 4 7 4\nD 3 5 4\nE 3 7 4\nF 4 7 4\n';
// The manual page's tie: A and B tie on arrival and priority, and C's exchange with A
// moved A behind B.
const tieCase = '3\nA 2 1 1\nB 2 1 1\nC 2 0 1\n';

const visible = (page, selector) => page.$eval(selector, (node) => node.offsetParent !== null || node.getClientRects().length > 0);

test('exercise: a pinned seed gives its batch, the answer stays hidden until asked for, and a sheet holds it with its key', async () => {
	const { page, errors } = await open('#priority_sched?seed=2026');
	assert.equal(await page.inputValue('#batch'), seed2026);
	assert.equal(await visible(page, '#report'), false);
	assert.equal(await visible(page, '#chart-section'), false);
	await page.click('summary');
	await shot(page, 'exercise');
	await page.click('#show-answer');
	assert.equal(await page.textContent('#report'), runConsole('priority_sched', seed2026).stdout);
	assert.equal(await visible(page, '#chart-section'), true);

	// The form makes the same exercise with ties, and the sheet of three from it.
	await page.fill('#ex-seed', '11');
	await page.fill('#ex-n', '6');
	await page.check('#ex-ties');
	await page.click('#ex-make');
	await page.waitForFunction(() => location.hash === '#priority_sched?seed=11&n=6&ties=1' &&
		document.getElementById('exercise-title').textContent.startsWith('Exercise 11:'));
	await done(page);
	assert.equal(await page.inputValue('#batch'), seed11Ties);
	await page.fill('#ex-count', '3');
	await page.click('#ex-sheet');
	await page.waitForSelector('#sheet-section[data-state="done"]');
	const sheet = await page.$$eval('.sheet-batch', (boxes) => boxes.map((b) => b.textContent));
	const key = await page.$$eval('.sheet-report', (boxes) => boxes.map((b) => b.textContent));
	assert.equal(sheet.length, 3);
	assert.equal(sheet[0], seed11Ties);
	sheet.forEach((batch, k) => assert.equal(key[k], runConsole('priority_sched', batch).stdout, `exercise ${k + 1}`));
	// Each exercise of the key with its chart, a lane per process, and the averages of its report.
	const keyCharts = await page.$$eval('.sheet-answer', (boxes) => boxes.map((box) => ({
		lanes: box.querySelectorAll('svg.gantt g.lane').length,
		averages: [...box.querySelectorAll('[data-average]')].map((a) => Number(a.textContent)),
	})));
	sheet.forEach((batch, k) => assert.deepEqual(keyCharts[k], {
		lanes: Number(batch.split('\n')[0]),
		averages: Object.values(averages('priority_sched', batch)),
	}, `exercise ${k + 1}`));
	await shot(page, 'sheet');
	await (await page.$('#sheet-key')).screenshot({ path: join(screenshots, 'sheet-key.png') });
	await page.emulateMedia({ media: 'print' });
	await shot(page, 'sheet-print');
	// One exercise and its key fit on one page: two pages mean the key starts a page of its own.
	await page.goto(`${browser.server.origin}/#priority_sched?view=sheet&count=1&seed=2026`);
	await page.waitForSelector('#sheet-section[data-state="done"] .sheet-report');
	assert.match(await page.textContent('#sheet-note'), /^1 exercise for priority_sched/);
	assert.equal(await page.textContent('#status'), 'A sheet of 1 exercise.');
	const pdf = (await page.pdf()).toString('latin1');
	assert.equal(pdf.match(/\/Type\s*\/Page\b/g).length, 2);
	assert.deepEqual(errors, []);
	await page.close();
});

test('link: a shared link reopens the same batch and report; one too long for an address is refused', async () => {
	const { page } = await open('#srtf_sched');
	const batch = '4\nP 0 5\nQ 1 3\nR 1 3\nS 9 1\n';
	await typeBatch(page, batch);
	await page.click('#share');
	const link = await page.inputValue('#share-url');
	const report = await page.textContent('#report');
	assert.equal(report, runConsole('srtf_sched', batch).stdout);
	const { page: again } = await open(link.slice(browser.server.origin.length + 1));
	assert.equal(await again.inputValue('#batch'), batch);
	assert.equal(await again.textContent('#report'), report);
	await again.close();

	let long = '2000\n';
	for (let i = 0; i < 2000; i++) long += `P ${i} 1\n`;
	await typeBatch(page, long);
	await page.click('#share');
	assert.match(await page.textContent('#share-note'), /too long for a link/);
	assert.equal(await visible(page, '#share-url'), false);
	await page.close();
});

// priority_sched's batch without its priority column, as the comparison gives it to the others.
function withoutPriorities(batch) {
	const [count, ...records] = batch.trim().split('\n');
	return `${count}\n${records.map((r) => r.split(' ')).map(([n, , a, b]) => `${n} ${a} ${b}\n`).join('')}`;
}

function averages(program, batch) {
	const lines = runConsole(program, batch).stdout.trimEnd().split('\n').map((l) => l.slice(2).split(' ').map(Number));
	const at = program === 'srtf_sched' ? 3 : 1;
	const mean = (column) => Math.round((lines.reduce((sum, f) => sum + f[column], 0) / lines.length) * 100) / 100;
	return { turnaround: mean(at), waiting: mean(at + 1) };
}

test('compare: four schedulers on one batch, their averages the four reports\', charts on one axis', async () => {
	const { page, errors } = await open('#priority_sched?view=compare&seed=11&n=6&ties=1', undefined, '#compare-section[data-state="done"]');
	for (const program of ['priority_sched', 'srtf_sched', 'fcfs_sched', 'fcfs_fixed']) {
		const batch = program === 'priority_sched' ? seed11Ties : withoutPriorities(seed11Ties);
		const shown = await page.$$eval(`tr[data-program="${program}"] td[data-average]`, (cells) => cells.map((c) => Number(c.textContent)));
		const expected = averages(program, batch);
		assert.deepEqual(shown, [expected.turnaround, expected.waiting], program);
	}
	const axes = await page.$$eval('.compare-chart svg', (charts) => charts.map((c) => [c.dataset.from, c.dataset.to, c.getAttribute('width')].join()));
	assert.equal(axes.length, 4);
	assert.equal(new Set(axes).size, 1, `one time axis: ${axes}`);
	await shot(page, 'compare');

	// fcfs_fixed's limit of 100 is its own message; a batch without priorities has no priority_sched.
	let many = '101\n';
	for (let i = 0; i < 101; i++) many += `P 1 ${i} 1\n`;
	await page.$eval('#batch', (box, value) => {
		box.value = value;
		box.dispatchEvent(new Event('input', { bubbles: true }));
	}, many);
	await page.waitForSelector('#compare-section[data-state="done"] tr[data-program="fcfs_fixed"] .outcome:has-text("refused")');
	const message = runConsole('fcfs_fixed', withoutPriorities(many)).stderr.trim();
	assert.ok(message.startsWith('fcfs_fixed: '));
	assert.ok((await page.textContent('tr[data-program="fcfs_fixed"] .outcome')).endsWith(message));
	// A name glued to its priority and text after the last record, both of which the programs
	// accept: the others run the records priority_sched read, as the console would.
	await page.goto(`${browser.server.origin}/#priority_sched?view=compare&batch=2%0AA1+0+3%0AB0+1+2%0A%23+two+processes%0A`);
	await page.waitForSelector('#compare-section[data-state="done"]');
	for (const program of ['srtf_sched', 'fcfs_sched', 'fcfs_fixed']) {
		const shown = await page.$$eval(`tr[data-program="${program}"] td[data-average]`, (cells) => cells.map((c) => Number(c.textContent)));
		const expected = averages(program, '2\nA 0 3\nB 1 2\n');
		assert.deepEqual(shown, [expected.turnaround, expected.waiting], program);
	}
	assert.deepEqual(averages('srtf_sched', '2\nA 0 3\nB 1 2\n'), { turnaround: 3.5, waiting: 1 });
	await page.goto(`${browser.server.origin}/#fcfs_sched?view=compare&batch=3%0AA+0+3%0AB+1+2%0AC+1+1%0A`);
	await page.waitForSelector('#compare-section[data-state="done"]');
	assert.match(await page.textContent('tr[data-program="priority_sched"] .outcome'), /needs a priority/);
	await page.click('#add-priorities');
	await page.waitForSelector('#compare-section[data-state="done"] tr[data-program="priority_sched"] td[data-average]');
	assert.equal(await page.inputValue('#batch'), '3\nA 1 0 3\nB 1 1 2\nC 1 1 1\n');
	assert.deepEqual(errors, []);
	await page.close();
});

async function saved(page, button) {
	const [download] = await Promise.all([page.waitForEvent('download'), page.click(button)]);
	return { name: download.suggestedFilename(), bytes: await readFile(await download.path()) };
}

// RFC 4180 fields, for the test's own reading of the CSV.
function readCsv(text) {
	return text.trimEnd().split('\r\n').map((line) => [...line.matchAll(/("(?:[^"]|"")*"|[^,]*)(,|$)/g)]
		.filter((m, i, all) => i < all.length - 1 || m[0] !== '')
		.map(([, field]) => (field.startsWith('"') ? field.slice(1, -1).replace(/""/g, '"') : field)));
}

test('export: the CSV is the table, the chart saves as SVG and PNG, the account as text', async () => {
	const { page, errors } = await open('#priority_sched');
	const table = await page.$$eval('#table tr', (rows) => rows.map((row) =>
		[...row.cells].flatMap((cell) => [cell.textContent, ...Array(cell.colSpan - 1).fill('')])));
	const csv = await saved(page, '#save-csv');
	assert.equal(csv.name, 'priority_sched.csv');
	assert.deepEqual(readCsv(csv.bytes.toString('utf8')), table);

	const svg = (await saved(page, '#save-svg')).bytes.toString('utf8');
	assert.match(svg, /^<\?xml[^>]*>\n<svg [^>]*xmlns="http:\/\/www.w3.org\/2000\/svg"/);
	assert.equal((svg.match(/class="segment"/g) ?? []).length, await page.$$eval('#chart rect.segment', (r) => r.length));
	const png = (await saved(page, '#save-png')).bytes;
	assert.deepEqual([...png.subarray(1, 4)], [...Buffer.from('PNG')]);
	assert.ok(png.readUInt32BE(16) >= 2 * Number(await page.getAttribute('#chart svg', 'width')) - 1);

	if (await visible(page, '#steps')) {
		const account = await saved(page, '#save-account');
		const batch = await example('priority_sched', 'txt');
		assert.equal(account.bytes.toString('latin1'), runConsole('priority_sched', batch, { args: ['--explain'], encoding: 'latin1' }).stdout);
	}

	// Names that are control bytes, which the programs accept: the SVG is still well-formed
	// XML, and the PNG is drawn.
	await page.goto(`${browser.server.origin}/#priority_sched?batch=3%0A%01+1+0+2%0A%1F+2+1+1%0A%00+1+2+1%0A`);
	await page.waitForFunction(() => document.querySelectorAll('#chart g.lane').length === 3);
	const controlSvg = (await saved(page, '#save-svg')).bytes.toString('utf8');
	assert.doesNotMatch(controlSvg, /[\x00-\x08\x0b\x0c\x0e-\x1f]/);
	assert.equal(await page.evaluate((text) => new DOMParser().parseFromString(text, 'image/svg+xml')
		.getElementsByTagName('parsererror').length, controlSvg), 0);
	assert.deepEqual(await page.$$eval('#chart g.lane', (lanes) => lanes.map((l) => l.dataset.name)), ['\u2401', '\u241f', '\u2400']);
	const controlPng = (await saved(page, '#save-png')).bytes;
	assert.deepEqual([...controlPng.subarray(1, 4)], [...Buffer.from('PNG')]);
	assert.deepEqual(errors, []);
	await page.close();
});

async function siteFiles(folder = site) {
	const entries = await readdir(folder, { withFileTypes: true });
	const files = await Promise.all(entries.map((e) => (e.isDirectory() ? siteFiles(join(folder, e.name)) : [join(folder, e.name)])));
	return files.flat();
}

test('offline: after one visit the page reloads and runs without a network', async () => {
	// A server of its own, closed before the reload: nothing can answer but the stored site.
	const own = await serve(site);
	otherOrigins.push(own.origin);
	const page = await browser.context.newPage();
	const errors = [];
	page.on('pageerror', (error) => errors.push(error.message));
	await page.goto(`${own.origin}/#priority_sched`);
	await done(page);
	const stored = await page.evaluate(async () => {
		await navigator.serviceWorker.ready;
		while (!navigator.serviceWorker.controller) await new Promise((settle) => setTimeout(settle, 20));
		const keys = await (await caches.open('sched-suite-site')).keys();
		return keys.map((request) => new URL(request.url).pathname);
	});
	const wanted = (await siteFiles()).map((file) => `/${relative(site, file)}`).filter((p) => p !== '/sw.js');
	assert.deepEqual(wanted.filter((p) => !stored.includes(p)), [], 'every file of the site is stored');
	await own.close();
	await browser.context.setOffline(true);
	try {
		await page.reload();
		await done(page);
		assert.equal(await page.textContent('#report'), await example('priority_sched', 'out'));
		await page.click('.picker label:has-text("srtf_sched")');
		// The title changes as the page takes up the new address, before it waits for anything.
		await page.waitForFunction(() => document.title.startsWith('srtf_sched'));
		await done(page);
		assert.equal(await page.textContent('#report'), await example('srtf_sched', 'out'));
		await shot(page, 'offline');
	} finally {
		await browser.context.setOffline(false);
	}
	assert.deepEqual(errors, []);
	await page.close();
});

async function violations(page) {
	await page.evaluate(axeSource);
	return page.evaluate(async () => {
		const result = await window.axe.run(document, { resultTypes: ['violations'] });
		return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target.join(' ')).join(', ')}`);
	});
}

for (const [width, height] of [[1100, 900], [390, 844]]) {
	test(`accessibility: axe finds no violations at ${width} pixels wide`, async () => {
		const views = [
			['#priority_sched?answer=B%204%203%200%0AD%205%202%202%0A', '#output[data-state="done"]'],
			['#srtf_sched?seed=2026&ties=1', '#output[data-state="done"]'],
			['#priority_sched?view=compare', '#compare-section[data-state="done"]'],
			['#fcfs_sched?view=sheet&count=2&seed=5', '#sheet-section[data-state="done"]'],
		];
		for (const [address, ready] of views) {
			const { page } = await open(address, { width, height }, ready);
			if (await visible(page, '#exercise-box')) await page.click('#exercise-box summary');
			assert.deepEqual(await violations(page), [], address);
			await page.close();
		}
	});
}

test('a hostile link: the markup in its batch and answer shows as text and runs no script', async () => {
	const batch = '2\n<img/src=x/onerror=window.pwned=1> 0 3\n</textarea><script>window.pwned=2</script> 1 2\n';
	const answer = '<img src=x onerror="window.pwned=3"></textarea><script>window.pwned=4</script>\n';
	const address = `#fcfs_sched?${new URLSearchParams({ batch, answer })}`;
	const dialogs = [];
	browser.context.on('dialog', (dialog) => {
		dialogs.push(dialog.message());
		dialog.dismiss();
	});
	const { page, errors } = await open(address);
	assert.equal(await page.inputValue('#batch'), batch);
	assert.equal(await page.inputValue('#answer'), answer);
	assert.equal(await page.textContent('#report'), runConsole('fcfs_sched', batch).stdout);
	await page.click('#check');
	assert.match(await page.textContent('#verdict'), /no line for </);
	const account = runConsole('fcfs_sched', batch, { args: ['--explain'] }).stdout;
	assert.equal(await page.textContent('#step-sentence'), account.slice('0: '.length, account.indexOf('\n')));
	await page.click('#share');
	assert.equal(new URL(await page.inputValue('#share-url')).hash, `#fcfs_sched?${new URLSearchParams({ batch })}`);
	const found = await page.evaluate(() => ({
		pwned: window.pwned,
		images: document.querySelectorAll('img').length,
		scripts: [...document.scripts].map((s) => s.getAttribute('src')),
	}));
	assert.deepEqual(found, { pwned: undefined, images: 0, scripts: ['app.js'] });
	assert.deepEqual(dialogs, []);
	assert.deepEqual(errors, []);
	await shot(page, 'hostile-link');
	await page.close();
});

test('the classroom pages ask for nothing but their own files', () => {
	assertOwnFilesOnly(browser, otherOrigins);
});

// The program's own document of a run, from the console's --json.
function documentOf(program, batch) {
	return JSON.parse(runConsole(program, batch, { args: ['--json'], encoding: 'latin1' }).stdout);
}
const textOf = (bytes) => Buffer.from(bytes, 'latin1').toString('utf8');

test('steps: the arrow keys walk the account, the cursor marks each clock, and a tie is highlighted', async () => {
	const batch = await example('priority_sched', 'txt');
	const { decisions } = documentOf('priority_sched', batch);
	const { page, errors } = await open('#priority_sched');
	await page.focus('#step-next');
	for (let i = 0; i < decisions.length; i++) {
		const shown = await page.evaluate(() => ({
			index: Number(document.getElementById('steps').dataset.index),
			sentence: document.getElementById('step-sentence').textContent,
			cursor: Number(document.querySelector('#chart [data-mark="cursor"]').dataset.time),
		}));
		assert.deepEqual(shown, { index: i, sentence: textOf(decisions[i].text), cursor: decisions[i].clock });
		await page.keyboard.press('ArrowRight');
	}
	await page.keyboard.press('Home');
	assert.equal(await page.getAttribute('#steps', 'data-index'), '0');

	// A tie: its entry lists the tied processes, highlighted, and so does the step beside it.
	await typeBatch(page, tieCase);
	const tie = documentOf('priority_sched', tieCase).decisions.findIndex((d) => d.kind === 'tie');
	assert.ok(tie >= 0, 'the tie case has a tie');
	await page.focus('#step-next');
	for (let i = 0; i < tie; i++) await page.keyboard.press('ArrowRight');
	assert.ok((await page.$$('#step-queues li.tied')).length >= 2);
	await shot(page, 'steps');
	assert.deepEqual(errors, []);
	await page.close();
});

// The verdict as the page prints it: the headline and each finding, with the entry it links to.
async function verdictOf(page) {
	await page.waitForSelector('#verdict[data-state="done"]');
	return page.$eval('#verdict', (box) => ({
		verdict: box.dataset.verdict,
		headline: box.querySelector('[class^="verdict-"]:not(.verdict-note)').textContent,
		findings: [...box.querySelectorAll('.findings li')].map((item) => ({
			kind: item.dataset.kind,
			text: item.firstChild.textContent,
			entry: item.querySelector('.to-entry') ? Number(item.querySelector('.to-entry').dataset.entry) : null,
		})),
	}));
}

async function checkAnswer(page, answer) {
	await page.fill('#answer', answer);
	await page.click('#check');
	return verdictOf(page);
}

test('answer check: sched_check\'s verdicts, each mistake by its kind and linked to the entry that decided it', async () => {
	const report = runConsole('priority_sched', tieCase).stdout;
	const { page, errors } = await open(`#priority_sched?${new URLSearchParams({ batch: tieCase })}`);
	assert.equal((await checkAnswer(page, report)).headline, 'Passed: byte for byte the program\'s report.');
	assert.equal((await checkAnswer(page, report.replace(/ /g, '  '))).verdict, 'presentation error');
	await page.setInputFiles('#answer-file', { name: 'answer.txt', mimeType: 'text/plain', buffer: Buffer.from(report.replace(/\n/g, '\r\n')) });
	assert.match((await verdictOf(page)).headline, /^Presentation error: .*CR LF/);

	// Two right lines in the wrong order, and one subtraction slipped.
	const misordered = await checkAnswer(page, 'B 2 1 0\nC 1 1 0\nA 3 2 2\n');
	assert.deepEqual([misordered.headline, ...misordered.findings.map((f) => f.text)], [
		'Wrong answer: right lines in the wrong order; a waiting time that is not turnaround minus burst.',
		'line 1: right figures, but C finishes before B',
		'line 3: waiting 2 is not turnaround 2 minus burst 1',
	]);
	await (await page.$('#check-section')).screenshot({ path: join(screenshots, 'answer-check.png') });
	// Every wrong line links to its entry: the waiting slip to A's finish.
	const { decisions } = documentOf('priority_sched', tieCase);
	assert.ok(misordered.findings.every((f) => f.entry !== null), JSON.stringify(misordered.findings));
	assert.equal(decisions[misordered.findings[1].entry].kind, 'finish');
	await page.click(`.to-entry[data-entry="${misordered.findings[1].entry}"]`);
	assert.equal(await page.getAttribute('#steps', 'data-index'), String(misordered.findings[1].entry));

	// A slip of arithmetic on the example, where the program prints B 4 3 0, and a
	// no-break space where a blank belongs.
	await typeBatch(page, await example('priority_sched', 'txt'));
	const exampleReport = await example('priority_sched', 'out');
	const slip = await checkAnswer(page, exampleReport.replace('B 4 3 0', 'B 4 4 1'));
	assert.deepEqual([slip.headline, ...slip.findings.map((f) => f.text)], [
		'Wrong answer: a turnaround that does not follow from its completion.',
		'line 1: turnaround 4 is not completion 4 minus arrival 1',
	]);
	const spaced = await checkAnswer(page, exampleReport.replace('B 4 3 0', 'B\u00a04 3 0'));
	assert.equal(spaced.headline, 'Presentation error: only spacing and line ends differ: a no-break space (the bytes C2 A0) where a blank belongs.');
	assert.deepEqual(errors, []);
	await page.close();
});

test('answer check: while an exercise\'s answer is hidden, each mistake is named by its kind alone', async () => {
	const report = runConsole('priority_sched', seed2026).stdout.trimEnd().split('\n');
	// Lines in the wrong order, a turnaround slip, a line left out.
	const answer = `${report[1]}\n${report[0].replace(/ (\d+) (\d+)$/, (_, t, w) => ` ${Number(t) + 1} ${w}`)}\n${report.slice(2, -1).join('\n')}\n`;
	const { page, errors } = await open(`#priority_sched?${new URLSearchParams({ seed: '2026', answer })}`);
	const hidden = await verdictOf(page);
	assert.equal(hidden.verdict, 'wrong answer');
	const kinds = new Set(hidden.findings.map((f) => f.kind));
	for (const kind of ['order', 'turnaround', 'missing']) assert.ok(kinds.has(kind), kind);
	const said = [hidden.headline, ...hidden.findings.map((f) => f.text)].join('\n');
	assert.equal(said.replace(/line \d+/g, ''), said.replace(/line \d+/g, '').replace(/\d/g, ''), said);
	assert.doesNotMatch(said, /finishes before/);
	assert.equal(await page.$$eval('#verdict button', (b) => b.length), 0);
	await page.click('#show-answer');
	const shown = await verdictOf(page);
	assert.match(shown.findings.map((f) => f.text).join('\n'), /finishes before/);
	assert.ok(shown.findings.some((f) => f.entry !== null));
	assert.deepEqual(errors, []);
	await page.close();
});

test('answer check: a huge answer from a link is judged in the worker, the box showing its beginning', async () => {
	const answer = 'B 4 3 1\n'.repeat(200_000);
	const { page, errors } = await open('#priority_sched');
	await page.evaluate((fragment) => {
		location.hash = fragment;
	}, `priority_sched?${new URLSearchParams({ answer })}`);
	const verdict = await verdictOf(page);
	assert.equal(verdict.verdict, 'wrong answer');
	assert.match(verdict.headline, /199999 extra lines/);
	assert.equal(verdict.findings.length, 100);
	assert.equal(await page.inputValue('#answer'), answer.slice(0, 8 * 1000));
	assert.match(await page.textContent('#answer-note'), /^This answer has 200,000 lines/);
	assert.deepEqual(errors, []);
	await page.close();
});
