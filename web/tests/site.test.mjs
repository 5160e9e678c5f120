// The page in a real browser: Debian's Chromium, headless, driven by playwright-core,
// against the site in build/web served on 127.0.0.1.
//
// The console programs are the reference: every example's report must be its .out file
// byte for byte, and a bad batch must give the console program's own message and status
// (run from SCHED_CONSOLE_BIN, build/release/bin by default). The chart is checked
// against the report it stands beside. Screenshots land in SCHED_WEB_SCREENSHOTS
// (build/web-screenshots by default).

import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { readFile } from 'node:fs/promises';
import { join } from 'node:path';
import { assertOwnFilesOnly, checkout, done, example, openPage, runConsole, screenshots, startBrowser, typeBatch } from './browser.mjs';

// Where each report line of a scheduler keeps its completion, turnaround and waiting.
const reportColumns = {
	priority_sched: { completion: 0, turnaround: 1, waiting: 2 },
	srtf_sched: { completion: 2, turnaround: 3, waiting: 4 },
	fcfs_sched: { completion: 0, turnaround: 1, waiting: 2 },
	fcfs_fixed: { completion: 0, turnaround: 1, waiting: 2 },
};
const schedulers = Object.keys(reportColumns);
// The programs whose core records its schedule: their page must draw a chart. The others'
// charts are checked the same way wherever they appear.
const traced = ['priority_sched', 'srtf_sched', 'fcfs_sched', 'fcfs_fixed'];

let browser;

before(async () => {
	browser = await startBrowser();
});

after(async () => {
	await browser?.close();
});

// A page showing `program`, its output done; errors in the page fail the test.
function open(program, viewport) {
	return openPage(browser, `#${program}`, viewport);
}

async function shown(page) {
	return page.evaluate(() => ({
		report: document.getElementById('report').textContent,
		error: document.getElementById('error').textContent,
		errorShown: !document.getElementById('error-box').hidden,
		status: document.getElementById('status').textContent,
		batch: document.getElementById('batch').value,
		chartNote: document.getElementById('chart-note').textContent,
	}));
}

// The chart as drawn: each lane's name and segments, from the marks' data attributes.
async function drawnLanes(page) {
	return page.$$eval('#chart g.lane', (lanes) =>
		lanes.map((lane) => ({
			name: lane.dataset.name,
			segments: [...lane.querySelectorAll('rect.segment')].map((r) => [Number(r.dataset.start), Number(r.dataset.end)]),
		})),
	);
}

// Every report line has its own lane with the line's name, whose last segment ends at the
// line's completion and whose segments add up to its burst; no two segments overlap.
function assertChartMatchesReport(program, report, lanes) {
	const columns = reportColumns[program];
	const lines = report.trimEnd().split('\n');
	assert.equal(lanes.length, lines.length, 'one lane per process');
	const free = new Set(lanes);
	for (const line of lines) {
		const fields = line.slice(2).split(' ').map(Number);
		const completion = fields[columns.completion];
		const burst = fields[columns.turnaround] - fields[columns.waiting];
		const lane = [...free].find(
			(l) =>
				l.name === line[0] &&
				l.segments.at(-1)?.[1] === completion &&
				l.segments.reduce((sum, [start, end]) => sum + end - start, 0) === burst,
		);
		assert.ok(lane, `no lane of ${line[0]} ends at ${completion} after ${burst} units: ${JSON.stringify(lanes)}`);
		free.delete(lane);
	}
	const all = lanes.flatMap((l) => l.segments).sort((a, b) => a[0] - b[0]);
	for (let i = 1; i < all.length; i++) assert.ok(all[i][0] >= all[i - 1][1], `segments overlap: ${all[i - 1]} and ${all[i]}`);
}

for (const program of [...schedulers, 'sum_cases']) {
	test(`${program}: the example's report, byte for byte`, async () => {
		const { page, errors } = await open(program);
		const view = await shown(page);
		assert.equal(view.batch, await example(program, 'txt'));
		assert.ok(Buffer.from(view.report).equals(await readFile(join(checkout, 'examples', `${program}.out`))));
		assert.equal(view.errorShown, false);
		assert.match(view.status, /exit status 0/);

		if (program in reportColumns) {
			const lanes = await drawnLanes(page);
			if (traced.includes(program)) assert.ok(lanes.length > 0, `no chart: ${view.chartNote}`);
			if (lanes.length > 0) assertChartMatchesReport(program, view.report, lanes);
			else assert.match(view.chartNote, /does not record its schedule/);

			// The averages are the report's turnaround and waiting, averaged.
			const columns = reportColumns[program];
			const lines = view.report.trimEnd().split('\n').map((line) => line.slice(2).split(' ').map(Number));
			for (const field of ['turnaround', 'waiting']) {
				const mean = lines.reduce((sum, f) => sum + f[columns[field]], 0) / lines.length;
				const shownMean = Number(await page.textContent(`#table td[data-average="${field}"]`));
				assert.ok(Math.abs(shownMean - mean) < 0.005, `${field}: ${shownMean}, not ${mean}`);
			}
		}
		await page.screenshot({ path: join(screenshots, `${program}.png`), fullPage: true });
		assert.deepEqual(errors, []);
		await page.close();
	});
}

test('priority_sched: the chart marks the first tick at the first arrival and the final phase at the last', async () => {
	const { page } = await open('priority_sched');
	// The example's batch arrives from 0 to 4, and the final phase begins at clock 4.
	assert.equal(await page.getAttribute('[data-mark="first-tick"]', 'data-time'), '0');
	assert.equal(await page.getAttribute('[data-mark="final-phase"]', 'data-time'), '4');
	await page.close();
});

test('priority_sched: idle time is marked where no process runs', async () => {
	const { page } = await open('priority_sched');
	await typeBatch(page, '3\nA 2 0 2\nB 1 5 3\nC 3 6 1\n');
	const idle = await page.$$eval('[data-mark="idle"]', (marks) => marks.map((m) => [m.dataset.start, m.dataset.end]));
	assert.deepEqual(idle, [['2', '5']]);
	assertChartMatchesReport('priority_sched', (await shown(page)).report, await drawnLanes(page));
	await page.close();
});

const badBatches = {
	priority_sched: '2\nA 1 0 0\nB 1 1 2\n',
	srtf_sched: '2\nA 0 3\nB 1\n',
	fcfs_sched: '3\nA 0 5\nB 2 3\nC 1 x\n',
	fcfs_fixed: '2\nA1 0 3\nB 1 x\n',
	sum_cases: '2\n1 2\n5 x\n',
};

for (const [program, batch] of Object.entries(badBatches)) {
	test(`${program}: a bad batch gives the console program's message and status`, async () => {
		const { page, errors } = await open(program);
		await typeBatch(page, batch);
		const view = await shown(page);
		const expected = runConsole(program, batch);
		assert.notEqual(expected.stderr, '');
		assert.equal(view.error, expected.stderr);
		assert.equal(view.report, expected.stdout);
		assert.equal(view.errorShown, true);
		assert.match(view.status, new RegExp(`exit status ${expected.status}\\b`));
		if (program in reportColumns) assert.equal(await page.$$eval('#chart g.lane', (l) => l.length), 0);
		assert.deepEqual(errors, []);
		await page.close();
	});
}

test('priority_sched: a run too long to chart keeps its report and says why there is no chart', async () => {
	// Each process arrives more urgent than all before it and takes the processor for one
	// unit, and the final phase runs them all again: twice as many segments as processes.
	const count = 6000;
	let batch = `${count}\n`;
	for (let i = 0; i < count; i++) batch += `P ${100000 - i} ${i} 2\n`;
	const { page, errors } = await open('priority_sched');
	await typeBatch(page, batch);
	const view = await shown(page);
	assert.equal(view.report, runConsole('priority_sched', batch).stdout);
	assert.match(view.chartNote, /more than 10,000 run segments/);
	assert.equal(await page.$$eval('#chart g.lane', (l) => l.length), 0);
	assert.deepEqual(errors, []);
	await page.close();
});

test('priority_sched: a long run shows its progress beside Stop, and Stop ends it', async () => {
	// A crowd tied on both keys takes seconds: long enough for the worker to post where the
	// run has come to.
	const batch = await readFile(join(checkout, 'fuzz/slow-inputs/priority_sched-3x5-400.txt'), 'utf8');
	const { page, errors } = await open('priority_sched');
	await page.$eval('#batch', (box, value) => {
		box.value = value;
		box.dispatchEvent(new Event('input', { bubbles: true }));
	}, batch);
	await page.waitForFunction(() => /^clock [\d,]+ of 2,000,000,000, \d+ of 401 processes finished$/
		.test(document.getElementById('progress').textContent));
	assert.equal(await page.isVisible('#stop'), true);
	// The example's run still on screen is marked as an earlier batch's, during the run and after Stop.
	await page.waitForSelector('#stale-note', { state: 'visible' });
	await page.click('#stop');
	await page.waitForSelector('#output[data-state="stopped"]');
	assert.equal(await page.textContent('#progress'), '');
	assert.equal(await page.isVisible('#stale-note'), true);
	assert.equal(await page.textContent('#report'), await example('priority_sched', 'out'));
	assert.deepEqual(errors, []);
	await page.close();
});

test('sum_cases: the form writes the batch, and the report is the console\'s', async () => {
	const { page, errors } = await open('sum_cases');
	await page.click('#add-case');
	await page.fill('[aria-label="Case 4, first number"]', '40');
	await page.fill('[aria-label="Case 4, second number"]', '-2');
	await done(page);
	const view = await shown(page);
	assert.equal(view.batch, '4\n1 2\n5 -7\n2147483647 1\n40 -2\n');
	assert.equal(view.report, runConsole('sum_cases', view.batch).stdout);
	assert.deepEqual(errors, []);
	await page.close();
});

test('the keyboard picks a program: arrow keys move along the program buttons', async () => {
	const { page } = await open('priority_sched');
	await page.focus('input[name="program"][value="priority_sched"]');
	await page.keyboard.press('ArrowRight');
	await page.waitForFunction(() => location.hash === '#srtf_sched');
	await done(page);
	assert.equal((await shown(page)).report, await example('srtf_sched', 'out'));
	await page.close();
});

// Where a node is on the screen.
const placeOf = (page, selector) => page.$eval(selector, (node) => {
	const { top, bottom, left, right } = node.getBoundingClientRect();
	return { top, bottom, left, right, inView: top >= 0 && left >= 0 && bottom <= innerHeight && right <= innerWidth };
});

test('steps beside the chart on a wide screen: the entry, the queue and the chart\'s cursor in view together', async () => {
	const { page, errors } = await open('priority_sched');
	await page.click('#step-next');
	await page.click('#step-next');
	await page.$eval('#chart-section', (section) => section.scrollIntoView());
	const [chart, steps] = [await placeOf(page, '#chart-section'), await placeOf(page, '#steps-section')];
	assert.ok(steps.left >= chart.right, JSON.stringify({ chart, steps }));
	for (const part of ['#step-sentence', '#step-queues', '#chart [data-mark="cursor"]']) {
		assert.ok((await placeOf(page, part)).inView, part);
	}
	assert.equal(await page.getAttribute('#chart [data-mark="cursor"]', 'visibility'), 'visible');
	await page.screenshot({ path: join(screenshots, 'steps-beside-chart.png') });
	assert.deepEqual(errors, []);
	await page.close();
});

test('on a phone the page fits the screen\'s width', async () => {
	const { page } = await open('priority_sched', { width: 390, height: 844 });
	const widths = await page.evaluate(() => ({
		page: document.documentElement.scrollWidth,
		chart: document.querySelector('#chart svg').getBoundingClientRect().right,
	}));
	assert.ok(widths.page <= 390 && widths.chart <= 390, JSON.stringify(widths));
	// The Steps follow the chart, as they stand in the page.
	assert.ok((await placeOf(page, '#steps-section')).top >= (await placeOf(page, '#chart-section')).bottom);
	await page.screenshot({ path: join(screenshots, 'priority_sched-phone.png'), fullPage: true });
	await page.close();
});

// Last: the pages of all tests above asked for nothing but the site's own files.
test('the page asks for nothing but its own files', () => {
	assertOwnFilesOnly(browser);
});
