// The page: pick a program, give it a batch, and see its report as the console prints it,
// the schedule as a chart, the turnaround and waiting times as a table, and the program's
// account step by step; check an answer against the report. The address says what to
// show (address.js): a batch, an exercise with its answer hidden, the four schedulers
// compared, or a sheet of exercises to print.
//
// The output section's data-state tells whether what it shows belongs to the batch now in
// the box: "done" when it does, "pending" or "running" while a run is due or going on,
// "stopped" and "failed" otherwise. The browser tests wait for "done".

import { programs, programNames, readReportLine } from './programs.js';
import { run, stop, textOf, bytesOf } from './runner.js';
import { drawChart, lanesOf, mostLanes, placeCursor } from './chart.js';
import { drawTable, mostRows } from './table.js';
import { casesOf, batchOf, mostCases } from './cases.js';
import { readAddress, fragmentOf, linkTo } from './address.js';
import { makeBatch, readExercise, exerciseParams, defaults as exerciseDefaults } from './exercise.js';
import { checkAnswer, decisionFor, byteStringOf } from './answer.js';
import { showEntry, accountOf } from './steps.js';
import { csvOf, svgFileOf, pngOf, saveBlob } from './export.js';
import { showComparison, schedulers, withPriorities } from './compare.js';
import { showSheet } from './sheet.js';

const $ = (id) => document.getElementById(id);
const batch = $('batch');
const output = $('output');
const main = document.querySelector('main');

const drafts = new Map(); // each program's batch as last typed or loaded
let program = null;
let runs = 0; // the newest run's number; an older run's outcome is dropped
let due = null; // the run that typing has scheduled
let shown = null; // what the chart was drawn from, for drawing it again at another width
let drawnWidth = 0;
let view = null; // null for one program, 'compare' or 'sheet'
let exercise = null; // {seed, options} while the batch is an exercise's
let lastOutcome = null; // the shown run's outcome, for the answer check and the steps
let answerBytes = null; // an answer from a file or a link, with its own line ends
let stepIndex = 0;
let sheetOrder = null; // {seed, options, count} of the sheet the address asks for
const mostSheet = 40; // exercises on one sheet

function setState(state, status) {
	output.dataset.state = state;
	$('status').textContent = status;
	$('stop').hidden = state !== 'running';
	if (state !== 'running') $('progress').textContent = '';
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

// `preset`: a batch from the address, in place of the program's draft or example.
async function selectProgram(name, preset = null) {
	program = name;
	const meta = programs[name];
	main.dataset.program = name;
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
	if (preset !== null) drafts.set(name, preset);
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
	$('steps').hidden = true;
	$('steps-note').textContent = '';
	$('verdict').replaceChildren();
	for (const id of ['save-svg', 'save-png', 'save-csv']) $(id).hidden = true;
	shown = null;
	lastOutcome = null;
}

function edited() {
	drafts.set(program, batch.value);
	if (exercise) leaveExercise();
	clearTimeout(due);
	// No status while typing: a screen reader would read one out at every key.
	setState('pending', '');
	due = setTimeout(runNow, 250);
}

async function runNow() {
	clearTimeout(due);
	if (view === 'compare') return runComparison();
	if (view === 'sheet') return runSheet();
	const name = program;
	const text = batch.value;
	const ticket = ++runs;
	setState('running', `Running ${name}…`);
	const outcome = await run(name, text, (point) => {
		if (ticket !== runs) return;
		const count = (n) => n.toLocaleString('en');
		$('progress').textContent = `clock ${count(point.clock)} of ${count(point.last_arrival)}, ` +
			`${count(point.finished)} of ${count(point.processes)} processes finished`;
	});
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
	if ($('answer').value !== '' || answerBytes !== null) showVerdict();
}

// A run that did not finish: stopped, unless a newer run took its place.
function stoppedUnlessSuperseded(ticket) {
	if (ticket === runs) setState('stopped', 'Stopped. Edit the batch or press Run to start again.');
}

async function runComparison() {
	const ticket = ++runs;
	const section = $('compare-section');
	section.dataset.state = 'running';
	setState('running', 'Running the four schedulers…');
	$('add-priorities').hidden = program === 'priority_sched' || withPriorities(batch.value) === null;
	const finished = await showComparison(program, batch.value, {
		table: $('compare-table'),
		charts: $('compare-charts'),
		note: $('compare-note'),
	}, { run, isCurrent: () => ticket === runs, chartOf, reportRows });
	if (!finished) return stoppedUnlessSuperseded(ticket);
	section.dataset.state = 'done';
	setState('done', 'The four schedulers ran on this batch.');
}

async function runSheet() {
	const ticket = ++runs;
	const section = $('sheet-section');
	section.dataset.state = 'running';
	setState('running', 'Making the sheet…');
	const { seed, options, count } = sheetOrder;
	const finished = await showSheet(program, seed, options, count, {
		exercises: $('sheet-exercises'),
		key: $('sheet-key'),
		note: $('sheet-note'),
	}, { run, isCurrent: () => ticket === runs, makeBatch });
	if (!finished) return stoppedUnlessSuperseded(ticket);
	section.dataset.state = 'done';
	setState('done', `A sheet of ${count} exercises.`);
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
	lastOutcome = outcome;
	$('report').textContent = textOf(outcome.report);
	$('error').textContent = textOf(outcome.error);
	$('error-box').hidden = outcome.error === '';
	$('save').onclick = () => saveBlob(`${name}.out`, new Blob([bytesOf(outcome.report)], { type: 'text/plain' }));
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
		$('save-csv').hidden = false;
	}
	const chart = chartOf(name, outcome, rows);
	$('chart-note').textContent = chart.note;
	shown = chart.shown;
	drawShown();
	$('save-svg').hidden = $('save-png').hidden = shown === null;
	showSteps(outcome);
}

// What the chart of a run draws, `shown`, or null with a `note` that says why there is none;
// the note may also tell about a chart that is drawn.
function chartOf(name, outcome, rows) {
	const none = (note) => ({ shown: null, note });
	const { segments, records } = outcome;
	if (outcome.status !== 0) return none('No chart: the program refused the batch.');
	if (!segments) {
		return none(`No chart: this build of ${name} does not record its schedule yet. The report and the table are complete.`);
	}
	if (outcome.segmentsCutShort) {
		return none('No chart: this run has more than 10,000 run segments, more than a chart can show. ' +
			'The report and the table are complete.');
	}
	if (records === null) return none('No chart: more than 10,000 processes, more than a chart can show.');
	if (records.length === 0) return none('No processes, so there is nothing to draw.');
	if (records.length > mostLanes) {
		return none(`No chart: ${records.length} processes are more lanes than the chart draws (at most ${mostLanes}).`);
	}
	const lanes = lanesOf(records.map((r) => ({ ...r, displayName: textOf(r.name) })), segments);
	const odd = lanes.filter((lane) => lane.burst <= 0);
	let note = '';
	if (odd.length > 0) {
		const names = odd.map((l) => l.name).join(', ');
		note = `${names} ${odd.length === 1 ? 'has' : 'have'} a burst of 0 or less. ${programs[name].nonPositiveBursts}`;
	}
	return {
		note,
		shown: {
			lanes,
			segments,
			finalPhaseStart: outcome.finalPhaseStart,
			rows: (rows ?? []).map((r) => ({ nameBytes: r.nameBytes, burst: Number(r.burst), completion: Number(r.completion) })),
			phases: Boolean(programs[name].phases),
		},
	};
}

function drawShown() {
	drawnWidth = $('chart').clientWidth;
	if (!shown) return;
	$('chart').replaceChildren(drawChart(shown, drawnWidth));
	if (!$('steps').hidden) placeCursor(chartSvg(), lastOutcome.decisions[stepIndex].clock);
}

function chartSvg() {
	return $('chart').querySelector('svg');
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

// The Steps view of a run whose program gave its account.
function showSteps(outcome) {
	const decisions = outcome.decisions;
	if (outcome.status !== 0) return;
	if (!decisions) {
		$('steps-note').textContent = 'No steps: this build of the program does not give its account of the run.';
		return;
	}
	if (decisions.length === 0) {
		$('steps-note').textContent = 'No steps: there is nothing to decide.';
		return;
	}
	$('steps-note').textContent = outcome.decisionsCutShort
		? 'The account stops early, as its last entry says; the report is complete.'
		: '';
	$('steps').hidden = false;
	goToStep(0);
}

// A record's name as the queues show it; a name that several records share, with its record.
function nameOfRecord(record) {
	const records = lastOutcome.records ?? [];
	const found = records[record - 1];
	if (!found) return `record ${record}`;
	const shared = records.some((other) => other !== found && other.name === found.name);
	return shared ? `${textOf(found.name)} #${record}` : textOf(found.name);
}

function goToStep(index) {
	const decisions = lastOutcome.decisions;
	stepIndex = Math.min(Math.max(index, 0), decisions.length - 1);
	const clock = showEntry({
		position: $('step-position'),
		clock: $('step-clock'),
		sentence: $('step-sentence'),
		queues: $('step-queues'),
	}, decisions.map(readableEntry), stepIndex, nameOfRecord);
	// aria-disabled, not disabled: a disabled button would drop the focus, and the arrow keys with it.
	for (const id of ['step-first', 'step-back']) $(id).setAttribute('aria-disabled', String(stepIndex === 0));
	for (const id of ['step-next', 'step-last']) $(id).setAttribute('aria-disabled', String(stepIndex === decisions.length - 1));
	$('steps').dataset.index = String(stepIndex);
	const svg = chartSvg();
	if (svg) placeCursor(svg, clock);
}

// An entry's sentence holds bytes of the batch's names: shown as a UTF-8 console would.
function readableEntry(entry) {
	return { ...entry, text: textOf(entry.text) };
}

function stepKeys(event) {
	const moves = { ArrowLeft: -1, ArrowUp: -1, ArrowRight: 1, ArrowDown: 1 };
	if (event.key in moves) goToStep(stepIndex + moves[event.key]);
	else if (event.key === 'Home') goToStep(0);
	else if (event.key === 'End') goToStep(lastOutcome.decisions.length - 1);
	else return;
	event.preventDefault();
}

// The answer check's verdict, marks on each wrong line and field, and a way to the
// decision behind the first wrong line.
function showVerdict() {
	const verdict = $('verdict');
	verdict.replaceChildren();
	if (!lastOutcome) return;
	const given = answerBytes ?? byteStringOf($('answer').value);
	const result = checkAnswer(lastOutcome.report, given);
	const say = (text, kind) => {
		const p = document.createElement('p');
		p.className = `verdict-${kind}`;
		p.textContent = text;
		verdict.append(p);
		return p;
	};
	verdict.dataset.kind = result.kind;
	if (lastOutcome.status !== 0) say(`Note: ${program} refused this batch; its report is what it printed before it stopped.`, 'note');
	if (result.kind === 'same') {
		say('Right: byte for byte the program\'s report.', 'right');
		return;
	}
	if (result.kind === 'spacing') {
		say('Every figure is right, but the bytes differ in spacing or line ends:', 'spacing');
		const list = document.createElement('ul');
		for (const difference of result.differences) {
			const item = document.createElement('li');
			item.textContent = difference;
			list.append(item);
		}
		verdict.append(list);
		return;
	}
	const wrong = result.lines.filter((l) => l.status !== 'right').length;
	say(`${wrong} of ${result.lines.length} lines ${wrong === 1 ? 'is' : 'are'} not the program's.`, 'wrong');
	const revealed = main.dataset.answer !== 'hidden';
	const list = document.createElement('ol');
	list.className = 'answer-lines';
	const fieldNames = ['name', ...programs[program].report];
	for (const line of result.lines) list.append(answerLine(line, revealed, fieldNames));
	verdict.append(list);
	linkDecision(verdict, result);
}

function answerLine(line, revealed, fieldNames) {
	const item = document.createElement('li');
	item.className = `line-${line.status}`;
	item.dataset.line = String(line.line);
	item.dataset.status = line.status;
	const fields = (line.given ?? '').trim().split(/[ \t\f\v]+/).filter((f) => f !== '');
	const code = document.createElement('code');
	fields.forEach((field, index) => {
		if (index > 0) code.append(' ');
		const span = document.createElement('span');
		span.textContent = textOf(field);
		if (line.wrongFields.includes(index)) {
			span.className = 'field-wrong';
			span.dataset.field = String(index);
		}
		code.append(span);
	});
	item.append(code);
	const remark = document.createElement('span');
	remark.className = 'remark';
	const expected = revealed && line.expected !== null ? `: the program prints ${textOf(line.expected)}` : '';
	remark.textContent = {
		right: ' right',
		wrong: ` wrong ${line.wrongFields.map((f) => fieldNames[f] ?? `field ${f + 1}`).join(', ')}${expected}`,
		missing: ` missing${expected}`,
		extra: ' one line too many',
	}[line.status];
	item.append(remark);
	return item;
}

function linkDecision(verdict, result) {
	const document_ = lastOutcome.document;
	if (!document_ || !lastOutcome.decisions) return;
	const line = result.lines[result.firstWrong];
	if (line.expected === null) return;
	const index = decisionFor(document_, result.firstWrong, (line.given ?? '').trim()[0]);
	if (index === null) return;
	const entry = readableEntry(lastOutcome.decisions[index]);
	const p = document.createElement('p');
	// An exercise's account is part of its answer: only the clock shows while it is hidden.
	const hidden = main.dataset.answer === 'hidden';
	p.append(`Line ${line.line} was decided at clock ${entry.clock}${hidden ? '.' : `: ${entry.text}`} `);
	const button = document.createElement('button');
	button.type = 'button';
	button.id = 'to-decision';
	button.textContent = hidden ? 'Show the answer at this step' : 'See this step';
	button.dataset.index = String(index);
	button.addEventListener('click', () => {
		revealAnswer();
		goToStep(index);
		$('steps-section').scrollIntoView();
		$('step-next').focus();
	});
	p.append(button);
	verdict.append(p);
}

// Exercises: the form, the banner, and the answer kept hidden until asked for.
function fillExerciseForm(seed, options) {
	$('ex-seed').value = String(seed);
	$('ex-n').value = String(options.n);
	for (const column of ['arrival', 'burst', 'priority']) {
		$(`ex-${column}-lo`).value = String(options[column][0]);
		$(`ex-${column}-hi`).value = String(options[column][1]);
	}
	$('ex-ties').checked = options.ties;
}

// A seed nobody chose, from the browser's random source: the batch itself still comes from
// the seed alone.
function freshSeed() {
	return crypto.getRandomValues(new Uint32Array(1))[0];
}

function exerciseFromForm() {
	const params = new URLSearchParams({ seed: $('ex-seed').value.trim(), n: $('ex-n').value.trim() });
	for (const column of ['arrival', 'burst', 'priority']) {
		params.set(column, `${$(`ex-${column}-lo`).value.trim()}~${$(`ex-${column}-hi`).value.trim()}`);
	}
	if ($('ex-ties').checked) params.set('ties', '1');
	const read = readExercise(params);
	if (read.error) $('ex-note').textContent = read.error;
	return read.error ? null : read;
}

function enterExercise(seed, options) {
	exercise = { seed, options };
	fillExerciseForm(seed, options);
	const ranges = [`arrival ${options.arrival.join('–')}`, `burst ${options.burst.join('–')}`];
	if (program === 'priority_sched') ranges.push(`priority ${options.priority.join('–')}`);
	$('exercise-title').textContent = `Exercise ${seed}: ${options.n} processes, ${ranges.join(', ')}` +
		`${options.ties ? ', with ties' : ''}. Work out the report, then check it below.`;
	$('exercise-banner').hidden = false;
	main.dataset.answer = 'hidden';
	$('show-answer').hidden = false;
}

function revealAnswer() {
	if (main.dataset.answer !== 'hidden') return;
	main.dataset.answer = 'shown';
	$('show-answer').hidden = true;
	drawShown();
	if (lastOutcome && ($('answer').value !== '' || answerBytes !== null)) showVerdict();
}

// An edited exercise is a batch like any other: its address no longer names it.
function leaveExercise() {
	exercise = null;
	$('exercise-banner').hidden = true;
	main.dataset.answer = 'shown';
	history.replaceState(null, '', fragmentOf(program, new URLSearchParams(view ? { view } : {})));
}

function share() {
	const params = exercise ? exerciseParams(exercise.seed, exercise.options) : new URLSearchParams({ batch: batch.value });
	if (view === 'compare') params.set('view', 'compare');
	const link = linkTo(program, params);
	$('share-box').hidden = link.error !== undefined;
	$('share-note').textContent = link.error ?? 'Anyone who opens this link sees this program run on this batch.';
	if (link.href) {
		$('share-url').value = link.href;
		$('share-url').select();
	}
}

async function savePng() {
	try {
		saveBlob(`${program}.png`, await pngOf(chartSvg()));
	} catch (error) {
		$('chart-note').textContent = `The PNG could not be made: ${error.message}.`;
	}
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
	$('stop').addEventListener('click', () => {
		for (const name of view === 'compare' ? schedulers : [program]) stop(name);
	});
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
		if (exercise) leaveExercise();
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
	$('share').addEventListener('click', share);
	$('compare').addEventListener('click', () => {
		const params = exercise ? exerciseParams(exercise.seed, exercise.options) : new URLSearchParams({ batch: batch.value });
		params.set('view', 'compare');
		location.hash = fragmentOf(program, params);
	});
	$('add-priorities').addEventListener('click', () => {
		const params = new URLSearchParams({ view: 'compare', batch: withPriorities(batch.value) });
		location.hash = fragmentOf('priority_sched', params);
	});
	$('ex-new-seed').addEventListener('click', () => {
		$('ex-seed').value = String(freshSeed());
	});
	$('exercise-form').addEventListener('submit', (event) => {
		event.preventDefault();
		const read = exerciseFromForm();
		if (read) location.hash = fragmentOf(program, exerciseParams(read.seed, read.options));
	});
	$('ex-sheet').addEventListener('click', () => {
		const read = exerciseFromForm();
		const count = Number($('ex-count').value);
		if (!read) return;
		if (!(Number.isInteger(count) && count >= 1 && count <= mostSheet)) {
			$('ex-note').textContent = `A sheet holds 1 to ${mostSheet} exercises.`;
			return;
		}
		const params = exerciseParams(read.seed, read.options);
		params.set('view', 'sheet');
		params.set('count', String(count));
		location.hash = fragmentOf(program, params);
	});
	$('show-answer').addEventListener('click', revealAnswer);
	$('check').addEventListener('click', showVerdict);
	$('answer').addEventListener('input', () => {
		answerBytes = null;
	});
	$('answer-file').addEventListener('change', async () => {
		const file = $('answer-file').files[0];
		if (!file) return;
		const bytes = new Uint8Array(await file.arrayBuffer());
		answerBytes = Array.from(bytes, (b) => String.fromCharCode(b)).join('');
		$('answer').value = textOf(answerBytes);
		showVerdict();
	});
	$('steps').addEventListener('keydown', stepKeys);
	$('step-first').addEventListener('click', () => goToStep(0));
	$('step-back').addEventListener('click', () => goToStep(stepIndex - 1));
	$('step-next').addEventListener('click', () => goToStep(stepIndex + 1));
	$('step-last').addEventListener('click', () => goToStep(lastOutcome.decisions.length - 1));
	$('save-account').addEventListener('click', () => {
		saveBlob(`${program}.account.txt`, new Blob([bytesOf(accountOf(lastOutcome.decisions))], { type: 'text/plain' }));
	});
	$('save-csv').addEventListener('click', () => {
		saveBlob(`${program}.csv`, new Blob([csvOf($('table').querySelector('table'))], { type: 'text/csv' }));
	});
	$('save-svg').addEventListener('click', () => {
		saveBlob(`${program}.svg`, new Blob([svgFileOf(chartSvg())], { type: 'image/svg+xml' }));
	});
	$('save-png').addEventListener('click', savePng);
	$('print').addEventListener('click', () => window.print());
	$('sheet-back').addEventListener('click', () => {
		const params = exerciseParams(sheetOrder.seed, sheetOrder.options);
		location.hash = fragmentOf(program, params);
	});
	window.addEventListener('hashchange', route);
}


// The page as the address says: a program, and a batch, an exercise, a comparison or a
// sheet of exercises.
function route() {
	const address = readAddress(location.hash);
	const name = programNames.includes(address.program) ? address.program : programNames[0];
	const params = address.params;
	const scheduler = !programs[name].cases;
	$('ex-note').textContent = '';
	$('share-note').textContent = '';
	$('share-box').hidden = true;
	exercise = null;
	$('exercise-banner').hidden = true;
	main.dataset.answer = 'shown';

	let preset = params.has('batch') ? params.get('batch') : null;
	const read = scheduler && params.has('seed') ? readExercise(params) : null;
	if (read?.error) {
		$('ex-note').textContent = `The link's exercise cannot be made: ${read.error}`;
		$('exercise-box').open = true;
	}
	const wanted = scheduler ? params.get('view') : null;
	view = wanted === 'compare' || wanted === 'sheet' ? wanted : null;
	if (view === 'sheet') {
		const count = Number(params.get('count') ?? '1');
		if (!read || read.error || !Number.isInteger(count) || count < 1 || count > mostSheet) {
			view = null;
			if (!read?.error) $('ex-note').textContent = `A sheet needs a seed and 1 to ${mostSheet} exercises.`;
		} else {
			sheetOrder = { seed: read.seed, options: read.options, count };
		}
	}
	main.dataset.view = view ?? 'one';
	$('compare-section').dataset.state = 'pending';
	$('sheet-section').dataset.state = 'pending';
	if (read && !read.error) preset = makeBatch(name, read.seed, read.options);
	if (params.has('answer')) {
		answerBytes = byteStringOf(params.get('answer'));
		$('answer').value = params.get('answer');
	}
	selectProgram(name, preset);
	// selectProgram has set the program before it first waits.
	if (read && !read.error && view === null) enterExercise(read.seed, read.options);
}

// Offline use after one visit; a browser without service workers still has the page.
navigator.serviceWorker?.register('sw.js').catch(() => {});
fillExerciseForm(freshSeed(), exerciseDefaults);
buildPicker();
wire();
route();
