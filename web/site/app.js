// The page: pick a program, give it a batch, and see its report as the console prints it,
// the schedule as a chart, the turnaround and waiting times as a table, and the program's
// account step by step beside the chart; check an answer against the report. The address
// says what to show (address.js): a batch, an exercise with its answer hidden, the four
// schedulers compared, or a sheet of exercises to print.
//
// Each view wires its own controls; this module puts them together, runs the batch in the
// view the address asks for, and keeps the one state object (state.js) up to date.

import { byId } from './dom.js';
import { state } from './state.js';
import { programs, programNames } from './programs.js';
import { run, stop, judge, exerciseBatch } from './runner.js';
import { readAddress, fragmentOf } from './address.js';
import { readExercise, exerciseParams, exerciseView, mostSheet } from './exercise.js';
import { outputView } from './output.js';
import { stepsView } from './steps.js';
import { checkView } from './check.js';
import { casesView } from './cases.js';
import { inputView, loadExample } from './input.js';
import { compareView, schedulers } from './compare.js';
import { sheetView, exercisesWord } from './sheet.js';

const main = document.querySelector('main');
const batch = byId('batch');
const ids = (names) => Object.fromEntries(Object.entries(names).map(([key, id]) => [key, byId(id)]));

const output = outputView({
	main, ...ids({
		output: 'output', status: 'status', stop: 'stop', progress: 'progress', staleNote: 'stale-note', report: 'report',
		error: 'error', errorBox: 'error-box', save: 'save', chart: 'chart', chartNote: 'chart-note', table: 'table',
		tableNote: 'table-note', saveSvg: 'save-svg', savePng: 'save-png', saveCsv: 'save-csv',
	}),
}, { state, afterDraw: () => steps.cursorAgain() });
const steps = stepsView(ids({
	section: 'steps-section', steps: 'steps', note: 'steps-note', first: 'step-first', back: 'step-back', next: 'step-next',
	last: 'step-last', save: 'save-account', position: 'step-position', clock: 'step-clock', sentence: 'step-sentence',
	queues: 'step-queues',
}), { state, placeCursor: output.placeCursor });
const check = checkView(ids({ answer: 'answer', note: 'answer-note', file: 'answer-file', check: 'check', verdict: 'verdict' }),
	{ state, judge, openStep: (index) => steps.open(index) });
const cases = casesView(ids({ form: 'cases', list: 'case-list', add: 'add-case', reset: 'cases-reset', note: 'cases-note' }),
	{ batch, edited });
const exercise = exerciseView({
	main, ...ids({
		box: 'exercise-box', form: 'exercise-form', seed: 'ex-seed', n: 'ex-n', ties: 'ex-ties', newSeed: 'ex-new-seed',
		count: 'ex-count', sheet: 'ex-sheet', note: 'ex-note', banner: 'exercise-banner', title: 'exercise-title',
		showAnswer: 'show-answer',
	}),
	...Object.fromEntries(['arrival', 'burst', 'priority'].map((c) => [c, [byId(`ex-${c}-lo`), byId(`ex-${c}-hi`)]])),
}, {
	state,
	onReveal: () => {
		output.draw();
		check.reveal();
	},
});
const input = inputView({
	main, batch, casesOnly: [byId('cases'), byId('cases-note'), byId('cases-reset')],
	schedulesOnly: [byId('chart-section'), byId('table-section')],
	...ids({
		picker: 'picker', aboutTitle: 'about-title', summary: 'summary', format: 'format', run: 'run', stop: 'stop',
		example: 'example', share: 'share', compare: 'compare', shareBox: 'share-box', shareUrl: 'share-url',
		shareNote: 'share-note',
	}),
}, {
	state,
	edited: () => {
		if (programs[state.program].cases) cases.fill();
		edited();
	},
	runNow,
	stop: () => {
		for (const name of state.view === 'compare' ? schedulers : [state.program]) stop(name);
	},
	exampleLoaded: () => {
		if (programs[state.program].cases) cases.fill();
		state.drafts.set(state.program, batch.value);
		if (state.exercise) exercise.leave();
		runNow();
	},
	failed: (status) => output.setState('failed', status),
});
const comparison = compareView(ids({
	note: 'compare-note', table: 'compare-table', charts: 'compare-charts', addPriorities: 'add-priorities',
}), { run, navigate: (fragment) => { location.hash = fragment; } });
const sheet = sheetView(ids({ note: 'sheet-note', exercises: 'sheet-exercises', key: 'sheet-key', print: 'print', back: 'sheet-back' }), {
	run,
	exerciseBatch,
	back: () => {
		location.hash = fragmentOf(state.program, exerciseParams(state.sheet.seed, state.sheet.options));
	},
});

const stoppedStatus = 'Stopped. Edit the batch or press Run to start again.';
let due = null; // the run that typing has scheduled

function clearResults() {
	state.outcome = null;
	state.outcomeBatch = null;
	output.clear();
	steps.clear();
	check.clear();
}

// The batch changed by hand, in the box or the cases form: it runs a quarter of a second
// after the last change.
function edited() {
	state.drafts.set(state.program, batch.value);
	if (state.exercise) exercise.leave();
	clearTimeout(due);
	// No status while typing: a screen reader would read one out at every key.
	output.setState('pending', '');
	due = setTimeout(runNow, 250);
}

function runNow() {
	clearTimeout(due);
	if (state.view === 'compare') return runComparison();
	if (state.view === 'sheet') return runSheet();
	return runOne();
}

async function runOne() {
	const name = state.program;
	const text = batch.value;
	const ticket = ++state.runs;
	output.setState('running', `Running ${name}…`);
	const outcome = await run(name, text, (point) => {
		if (ticket === state.runs) output.progress(point);
	});
	if (ticket !== state.runs) return;
	if (outcome.stopped) {
		output.setState('stopped', stoppedStatus);
		return;
	}
	clearResults();
	if (outcome.failure !== undefined) {
		output.setState('failed', `${name} could not finish: ${outcome.failure}`);
		return;
	}
	state.outcome = outcome;
	state.outcomeBatch = text;
	output.show(name, outcome);
	steps.show(outcome);
	output.setState('done', `${name} ended with exit status ${outcome.status}${outcome.status === 0 ? '' : ': it refused the batch'}.`);
	check.checkIfGiven();
}

// Runs the compare or sheet view's `show`, which resolves with false when it did not finish.
async function runSection(section, status, doneStatus, show) {
	const ticket = ++state.runs;
	section.dataset.state = 'running';
	output.setState('running', status);
	if (!(await show(() => ticket === state.runs))) {
		if (ticket === state.runs) output.setState('stopped', stoppedStatus);
		return;
	}
	section.dataset.state = 'done';
	output.setState('done', doneStatus);
}

const runComparison = () => runSection(byId('compare-section'), 'Running the four schedulers…',
	'The four schedulers ran on this batch.', (isCurrent) => comparison.show(state.program, batch.value, isCurrent));

const runSheet = () => runSection(byId('sheet-section'), 'Making the sheet…', `A sheet of ${exercisesWord(state.sheet.count)}.`,
	(isCurrent) => sheet.show(state.program, state.sheet, isCurrent));

// `preset`: a batch from the address, in place of the program's draft or example.
async function selectProgram(name, preset) {
	state.program = name;
	input.showProgram(name);
	clearResults();
	if (preset !== null) state.drafts.set(name, preset);
	if (!state.drafts.has(name)) {
		output.setState('pending', 'Loading the example…');
		batch.value = '';
		let text;
		try {
			text = await loadExample(name);
		} catch (error) {
			if (state.program === name) output.setState('failed', `The example could not be loaded (${error.message}).`);
			return;
		}
		if (state.program !== name) return;
		state.drafts.set(name, text);
	}
	batch.value = state.drafts.get(name);
	if (programs[name].cases) cases.fill();
	runNow();
}

// The sheet the address asks for, or null with the exercise form's note saying why not.
function sheetOrder(params, read) {
	const count = Number(params.get('count') ?? '1');
	if (read && !read.error && Number.isInteger(count) && count >= 1 && count <= mostSheet) return { ...read, count };
	if (!read?.error) exercise.tell(`A sheet needs a seed and 1 to ${mostSheet} exercises.`);
	return null;
}

let routes = 0; // the newest address's number: an older one's exercise is dropped

// The page as the address says: a program, and a batch, an exercise, a comparison or a
// sheet of exercises.
async function route() {
	const ticket = ++routes;
	const address = readAddress(location.hash);
	const name = programNames.includes(address.program) ? address.program : programNames[0];
	const params = address.params;
	const scheduler = !programs[name].cases;
	exercise.tell('');
	exercise.end();

	const read = scheduler && params.has('seed') ? readExercise(params) : null;
	if (read?.error) exercise.tell(`The link's exercise cannot be made: ${read.error}`, true);
	const wanted = scheduler ? params.get('view') : null;
	state.view = wanted === 'compare' || wanted === 'sheet' ? wanted : null;
	state.sheet = state.view === 'sheet' ? sheetOrder(params, read) : null;
	if (state.view === 'sheet' && state.sheet === null) state.view = null;
	main.dataset.view = state.view ?? 'one';
	byId('compare-section').dataset.state = 'pending';
	byId('sheet-section').dataset.state = 'pending';
	if (params.has('answer')) check.setAnswer(params.get('answer'));

	let preset = params.has('batch') ? params.get('batch') : null;
	const made = read && !read.error ? await exerciseBatch(name, read.seed, read.options) : null;
	if (ticket !== routes) return;
	if (made?.batch !== undefined) preset = made.batch;
	else if (made) exercise.tell(`The link's exercise cannot be made: ${made.error ?? made.failure}`, true);
	selectProgram(name, preset);
	// selectProgram has set the program before it first waits.
	if (made?.batch !== undefined && state.view === null) exercise.enter(read.seed, read.options);
}

// Offline use after one visit; a browser without service workers still has the page.
navigator.serviceWorker?.register('sw.js').catch(() => {});
window.addEventListener('hashchange', route);
route();
