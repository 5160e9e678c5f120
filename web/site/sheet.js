// A sheet of exercises to print: `count` batches from the seeds seed, seed + 1, …, so that
// exercise k of the sheet is the single exercise of seed + k − 1, and the answer key on
// pages of its own: each report as the program prints it, with its chart and averages, as
// a teacher draws and quotes them on the board.

import { drawChart } from './chart.js';
import { element } from './dom.js';
import { chartOf, reportRows } from './output.js';
import { average } from './table.js';
import { textOf } from './runner.js';

// A key's chart fits the printed page's width, and is as wide on the screen.
const keyChartWidth = 640;

export const exercisesWord = (count) => `${count} ${count === 1 ? 'exercise' : 'exercises'}`;

// `elements`: the section's note, exercises, key and its Print and Back buttons;
// `back()` goes back to the sheet's first exercise.
export function sheetView(elements, { run, exerciseBatch, back }) {
	elements.print.addEventListener('click', () => window.print());
	elements.back.addEventListener('click', back);
	return {
		show: (program, order, isCurrent) => showSheet(program, order, elements, { run, exerciseBatch, isCurrent }),
	};
}

// Makes the sheet of `order` ({seed, options, count}) for `program` and shows it; false
// when a newer run took over.
async function showSheet(program, order, view, { run, exerciseBatch, isCurrent }) {
	const { seed, options, count } = order;
	const exercises = [];
	for (let k = 0; k < count; k++) {
		const exerciseSeed = (seed + k) >>> 0;
		// One thing at a time: the program's worker does one.
		const made = await exerciseBatch(program, exerciseSeed, options);
		if (!isCurrent() || made.stopped) return false;
		const outcome = made.batch === undefined ? { failure: made.error ?? made.failure } : await run(program, made.batch);
		if (!isCurrent() || outcome.stopped) return false;
		exercises.push({ number: k + 1, seed: exerciseSeed, text: made.batch ?? '', outcome });
	}
	view.note.textContent = `${exercisesWord(count)} for ${program}, from seed ${seed}; ` +
		'the answer key, with each exercise\'s chart and averages, follows on pages of its own.';
	view.exercises.replaceChildren(...exercises.map(({ number, seed: s, text }) =>
		element('article', { class: 'sheet-exercise', 'data-exercise': number },
			element('h3', {}, `Exercise ${number} (seed ${s})`),
			element('p', {}, `Work out what ${program} prints for this batch.`),
			element('pre', { class: 'sheet-batch' }, text),
			element('div', { class: 'sheet-space' }))));
	view.key.replaceChildren(element('h3', { class: 'key-title' }, 'Answer key'),
		...exercises.map((exercise) => keyEntry(program, exercise)));
	return true;
}

function keyEntry(program, { number, outcome }) {
	const box = element('article', { class: 'sheet-answer', 'data-exercise': number }, element('h4', {}, `Exercise ${number}`));
	if (outcome.failure !== undefined) {
		box.append(element('pre', { class: 'sheet-report' }, `${program} could not finish: ${outcome.failure}`));
		return box;
	}
	box.append(element('pre', { class: 'sheet-report' }, textOf(outcome.report) + textOf(outcome.error)));
	const rows = outcome.status === 0 ? reportRows(program, outcome.report) : null;
	if (!rows || rows.length === 0) return box;
	const mean = (field) => average(rows.reduce((sum, row) => sum + row[field], 0n), rows.length);
	box.append(element('p', { class: 'sheet-averages' },
		'Average turnaround ', element('strong', { 'data-average': 'turnaround' }, mean('turnaround')),
		', average waiting ', element('strong', { 'data-average': 'waiting' }, mean('waiting')), '.'));
	const chart = chartOf(program, outcome, rows);
	box.append(chart.shown ? drawChart(chart.shown, keyChartWidth) : element('p', { class: 'note' }, chart.note));
	return box;
}
