// The page: pick a program, give it a batch, and see its report as the console prints it,
// the schedule as a chart, and the turnaround and waiting times as a table.
//
// The output section's data-state tells whether what it shows belongs to the batch now in
// the box: "done" when it does, "pending" or "running" while a run is due or going on,
// "stopped" and "failed" otherwise. The browser tests wait for "done".

import { programs, programNames, readReportLine } from './programs.js';
import { run, stop, textOf, bytesOf } from './runner.js';
import { drawChart, lanesOf, mostLanes } from './chart.js';
import { drawTable, mostRows } from './table.js';
import { casesOf, batchOf, mostCases } from './cases.js';

const $ = (id) => document.getElementById(id);
const batch = $('batch');
const output = $('output');

const drafts = new Map(); // each program's batch as last typed or loaded
let program = null;
let runs = 0; // the newest run's number; an older run's outcome is dropped
let due = null; // the run that typing has scheduled
let shown = null; // what the chart was drawn from, for drawing it again at another width
let drawnWidth = 0;

function setState(state, status) {
	output.dataset.state = state;
	$('status').textContent = status;
	$('stop').hidden = state !== 'running';
}

// The program picker: radio buttons, so that arrow keys move between programs.
function buildPicker() {
	const picker = $('picker');
	for (const name of programNames) {
		const label = document.createElement('label');
		const radio = document.createElement('input');
		Object.assign(radio, { type: 'radio', name: 'program', value: name });
		radio.addEventListener('change', () => {
			if (radio.checked) location.hash = name;
		});
		const title = document.createElement('span');
		title.className = 'program-name';
		title.textContent = name;
		label.append(radio, title);
		picker.append(label);
	}
}

async function loadExample(name) {
	const response = await fetch(`examples/${name}.txt`);
	if (!response.ok) throw new Error(`examples/${name}.txt: ${response.status}`);
	return response.text();
}

async function selectProgram(name) {
	program = name;
	const meta = programs[name];
	for (const radio of document.querySelectorAll('input[name=program]')) radio.checked = radio.value === name;
	document.title = `${name} · sched_suite in the browser`;
	$('about-title').textContent = `${name}: ${meta.title}`;
	$('summary').textContent = meta.summary;
	$('format').textContent = `Input: ${meta.record}.`;
	$('cases').hidden = !meta.cases;
	$('cases-note').hidden = !meta.cases;
	$('chart-section').hidden = Boolean(meta.cases);
	$('table-section').hidden = Boolean(meta.cases);
	for (const item of document.querySelectorAll('.phases-only')) item.hidden = !meta.phases;
	clearResults();
	$('cases-reset').hidden = true;
	if (!drafts.has(name)) {
		setState('pending', 'Loading the example…');
		batch.value = '';
		let text;
		try {
			text = await loadExample(name);
		} catch (error) {
			if (program === name) setState('failed', `The example could not be loaded (${error.message}).`);
			return;
		}
		if (program !== name) return;
		drafts.set(name, text);
	}
	batch.value = drafts.get(name);
	if (meta.cases) fillCases();
	runNow();
}

function clearResults() {
	$('report').textContent = '';
	$('error').textContent = '';
	$('error-box').hidden = true;
	$('chart').replaceChildren();
	$('chart-note').textContent = '';
	$('table').replaceChildren();
	$('table-note').textContent = '';
	shown = null;
}

function edited() {
	drafts.set(program, batch.value);
	clearTimeout(due);
	// No status while typing: a screen reader would read one out at every key.
	setState('pending', '');
	due = setTimeout(runNow, 250);
}

async function runNow() {
	clearTimeout(due);
	const name = program;
	const text = batch.value;
	const ticket = ++runs;
	setState('running', `Running ${name}…`);
	const outcome = await run(name, text);
	if (ticket !== runs) return;
	if (outcome.stopped) {
		setState('stopped', 'Stopped. Edit the batch or press Run to start again.');
		return;
	}
	clearResults();
	if (outcome.failure !== undefined) {
		setState('failed', `${name} could not finish: ${outcome.failure}`);
		return;
	}
	show(name, outcome);
	setState('done', `${name} ended with exit status ${outcome.status}${outcome.status === 0 ? '' : ': it refused the batch'}.`);
}

// The report's lines as rows of numbers (BigInt), or null where a line is not one.
function reportRows(name, report) {
	const lines = report.split('\n');
	if (lines.at(-1) === '') lines.pop();
	const rows = [];
	for (const line of lines) {
		const fields = line.slice(2).split(' ');
		if (line[1] !== ' ' || fields.length !== programs[name].report.length || !fields.every((f) => /^-?\d+$/.test(f)))
			return null;
		rows.push({ nameBytes: line[0], name: textOf(line[0]), ...readReportLine(name, fields.map(BigInt)) });
	}
	return rows;
}

function show(name, outcome) {
	const meta = programs[name];
	$('report').textContent = textOf(outcome.report);
	$('error').textContent = textOf(outcome.error);
	$('error-box').hidden = outcome.error === '';
	$('save').onclick = () => save(`${name}.out`, outcome.report);
	if (meta.cases) return;

	const rows = outcome.status === 0 ? reportRows(name, outcome.report) : null;
	if (outcome.status !== 0) {
		$('table-note').textContent = 'No table: the program refused the batch.';
	} else if (rows === null) {
		$('table-note').textContent = 'No table: a report line is not one this page can read.';
	} else if (rows.length === 0) {
		$('table-note').textContent = 'No processes, so there is nothing to tabulate.';
	} else {
		const notes = [];
		if (rows.length > mostRows) notes.push(`The first ${mostRows} of ${rows.length} lines; the averages cover all.`);
		if (meta.fromTimeZero) {
			notes.push('Like its report, this program measures from time 0: turnaround is the completion, ' +
				'and waiting is when the process was dispatched.');
		}
		$('table-note').textContent = notes.join(' ');
		$('table').append(drawTable(rows, !meta.fromTimeZero));
	}
	showChart(name, outcome, rows);
}

function showChart(name, outcome, rows) {
	const note = (text) => {
		$('chart-note').textContent = text;
	};
	const { trace, records } = outcome;
	if (outcome.status !== 0) return note('No chart: the program refused the batch.');
	if (!trace) {
		return note(`No chart: this build of ${name} does not record its schedule yet. The report and the table are complete.`);
	}
	if (trace.cut_short) {
		return note(`No chart: this run has more than ${trace.most_segments.toLocaleString('en')} run segments, ` +
			'more than a chart can show. The report and the table are complete.');
	}
	if (records === null) {
		return note(`No chart: more than ${trace.most_segments.toLocaleString('en')} processes, more than a chart can show.`);
	}
	if (records.length === 0) return note('No processes, so there is nothing to draw.');
	if (records.length > mostLanes) {
		return note(`No chart: ${records.length} processes are more lanes than the chart draws (at most ${mostLanes}).`);
	}
	const lanes = lanesOf(records.map((r) => ({ ...r, displayName: textOf(r.name) })), trace.segments);
	const odd = lanes.filter((lane) => lane.burst <= 0);
	if (odd.length > 0) {
		const names = odd.map((l) => l.name).join(', ');
		note(`${names} ${odd.length === 1 ? 'has' : 'have'} a burst of 0 or less. ${programs[name].nonPositiveBursts}`);
	}
	shown = {
		lanes,
		segments: trace.segments,
		finalPhaseStart: trace.final_phase_start,
		rows: (rows ?? []).map((r) => ({ nameBytes: r.nameBytes, burst: Number(r.burst), completion: Number(r.completion) })),
		phases: Boolean(programs[name].phases),
	};
	drawShown();
}

function drawShown() {
	drawnWidth = $('chart').clientWidth;
	if (shown) $('chart').replaceChildren(drawChart(shown, drawnWidth));
}

function save(fileName, report) {
	const link = document.createElement('a');
	link.href = URL.createObjectURL(new Blob([bytesOf(report)], { type: 'text/plain' }));
	link.download = fileName;
	link.click();
	URL.revokeObjectURL(link.href);
}

// sum_cases's form, kept in step with the batch: the form writes the batch, and a batch
// typed by hand fills the form when it has the form's shape.
function fillCases() {
	const cases = casesOf(batch.value);
	const list = $('case-list');
	list.replaceChildren();
	$('cases').disabled = cases === null;
	$('cases-note').textContent = cases === null
		? `The batch is not 1 to ${mostCases} cases of two whole numbers, so the form is off; the program reads the batch as it is.`
		: '';
	$('cases-reset').hidden = cases !== null;
	for (const [first, second] of cases ?? []) addCaseRow(first, second);
}

function addCaseRow(first, second) {
	const list = $('case-list');
	const item = document.createElement('li');
	const number = (value) => {
		const input = document.createElement('input');
		Object.assign(input, { type: 'text', inputMode: 'numeric', value, autocomplete: 'off', spellcheck: false });
		input.addEventListener('input', casesEdited);
		return input;
	};
	const remove = document.createElement('button');
	Object.assign(remove, { type: 'button', textContent: 'Remove' });
	remove.addEventListener('click', () => {
		const next = item.nextElementSibling ?? item.previousElementSibling;
		item.remove();
		casesEdited();
		next?.querySelector('input')?.focus();
	});
	item.append(number(first), ' + ', number(second), ' ', remove);
	list.append(item);
	syncCaseButtons();
	return item;
}

// One case at least stays, and ten at most can be. The fields are named by their case,
// which changes as cases go.
function syncCaseButtons() {
	const list = $('case-list');
	[...list.children].forEach((item, index) => {
		const [first, second] = item.querySelectorAll('input');
		first.setAttribute('aria-label', `Case ${index + 1}, first number`);
		second.setAttribute('aria-label', `Case ${index + 1}, second number`);
		const remove = item.querySelector('button');
		remove.setAttribute('aria-label', `Remove case ${index + 1}`);
		remove.disabled = list.children.length === 1;
	});
	$('add-case').disabled = list.children.length >= mostCases;
}

function casesEdited() {
	const cases = [...$('case-list').children].map((item) =>
		[...item.querySelectorAll('input')].map((input) => input.value.trim()));
	syncCaseButtons();
	batch.value = batchOf(cases);
	edited();
}

function wire() {
	batch.addEventListener('input', () => {
		if (programs[program].cases) fillCases();
		edited();
	});
	batch.addEventListener('keydown', (event) => {
		if (event.key === 'Enter' && (event.ctrlKey || event.metaKey)) {
			event.preventDefault();
			runNow();
		}
	});
	$('run').addEventListener('click', runNow);
	$('stop').addEventListener('click', () => stop(program));
	$('example').addEventListener('click', async () => {
		const name = program;
		try {
			const text = await loadExample(name);
			if (program !== name) return;
			batch.value = text;
		} catch (error) {
			setState('failed', `The example could not be loaded (${error.message}).`);
			return;
		}
		if (programs[name].cases) fillCases();
		drafts.set(name, batch.value);
		runNow();
	});
	$('add-case').addEventListener('click', () => {
		addCaseRow('0', '0').querySelector('input').focus();
		casesEdited();
	});
	$('cases-reset').addEventListener('click', () => {
		batch.value = batchOf([['1', '2']]);
		fillCases();
		edited();
	});
	// Drawn again only when the width changes: a new drawing changes the height.
	new ResizeObserver(() => {
		if ($('chart').clientWidth !== drawnWidth) drawShown();
	}).observe($('chart'));
	window.addEventListener('hashchange', route);
}

function route() {
	const name = location.hash.slice(1);
	selectProgram(programNames.includes(name) ? name : programNames[0]);
}

buildPicker();
wire();
route();
