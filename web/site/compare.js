// The four schedulers on one batch: their charts on one time axis, and a table of their
// average turnaround and waiting. priority_sched's batch goes to the others without its
// priority column; a batch without priorities cannot run under priority_sched.

import { drawChart, spanOf } from './chart.js';
import { average } from './table.js';
import { textOf } from './runner.js';

export const schedulers = ['priority_sched', 'srtf_sched', 'fcfs_sched', 'fcfs_fixed'];

const fields = (text) => text.split(/[ \t\n\v\f\r]+/).filter((t) => t !== '');
const countOf = (tokens) => (/^\+?\d{1,9}$/.test(tokens[0] ?? '') ? Number(tokens[0]) : null);

// A batch of the others' form (name arrival burst) in priority_sched's, every process
// given priority 1 for the user to change; null when it is no count and that many records.
export function withPriorities(text) {
	const tokens = fields(text);
	const count = countOf(tokens);
	if (count === null || tokens.length < 1 + 3 * count) return null;
	return `${count}\n${Array.from({ length: count }, (_, i) => {
		const [name, arrival, burst] = tokens.slice(1 + 3 * i, 4 + 3 * i);
		return `${name} 1 ${arrival} ${burst}\n`;
	}).join('')}`;
}

// The batch each scheduler reads, or a note instead where it cannot have one. The count
// and the records are read as the programs read them: fields set apart by white space.
export function batchesFor(base, text) {
	if (base !== 'priority_sched') {
		const batches = Object.fromEntries(schedulers.map((name) => [name, { text }]));
		batches.priority_sched = {
			note: 'priority_sched needs a priority for each process, and this batch has none. Add priorities ' +
				'(name priority arrival burst) to compare from priority_sched.',
		};
		return batches;
	}
	const tokens = fields(text);
	const count = countOf(tokens);
	const batches = { priority_sched: { text } };
	const without = count !== null && tokens.length >= 1 + 4 * count
		? `${count}\n${Array.from({ length: count }, (_, i) => {
			const [name, , arrival, burst] = tokens.slice(1 + 4 * i, 5 + 4 * i);
			return `${name} ${arrival} ${burst}\n`;
		}).join('')}`
		: null;
	for (const name of schedulers.slice(1)) {
		batches[name] = without !== null
			? { text: without }
			: { note: 'The batch is not a count and that many records of four fields, so it has no priority column to leave out.' };
	}
	return batches;
}

// Runs the batch under the four and shows them; false when a newer run took over.
export async function showComparison(base, text, view, { run, isCurrent, chartOf, reportRows }) {
	const batches = batchesFor(base, text);
	const outcomes = await Promise.all(schedulers.map((name) => (batches[name].text !== undefined ? run(name, batches[name].text) : null)));
	if (!isCurrent()) return false;
	if (outcomes.some((outcome) => outcome?.stopped)) return false;

	const results = schedulers.map((name, index) => {
		const outcome = outcomes[index];
		const rows = outcome && outcome.failure === undefined && outcome.status === 0 ? reportRows(name, outcome.report) : null;
		const chart = rows ? chartOf(name, outcome, rows) : { shown: null, note: '' };
		return { name, outcome, rows, chart, note: batches[name].note };
	});
	view.note.textContent = base === 'priority_sched'
		? 'srtf_sched, fcfs_sched and fcfs_fixed run this batch without its priority column. ' +
			'Like their reports, the FCFS programs measure turnaround and waiting from time 0.'
		: 'Like their reports, the FCFS programs measure turnaround and waiting from time 0.';
	view.table.replaceChildren(comparisonTable(results));
	drawCharts(view.charts, results);
	return true;
}

function cell(row, tag, text, attributes = {}) {
	const node = document.createElement(tag);
	node.textContent = text;
	for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
	row.append(node);
	return node;
}

function comparisonTable(results) {
	const table = document.createElement('table');
	table.className = 'comparison';
	const caption = table.createCaption();
	caption.textContent = 'Averages per scheduler';
	const head = table.createTHead().insertRow();
	for (const column of ['Scheduler', 'Average turnaround', 'Average waiting', 'Outcome']) cell(head, 'th', column, { scope: 'col' });
	const body = table.createTBody();
	for (const { name, outcome, rows, note } of results) {
		const line = body.insertRow();
		line.dataset.program = name;
		cell(line, 'th', name, { scope: 'row' });
		if (rows && rows.length > 0) {
			const sum = (field) => rows.reduce((total, row) => total + row[field], 0n);
			cell(line, 'td', average(sum('turnaround'), rows.length), { 'data-average': 'turnaround' });
			cell(line, 'td', average(sum('waiting'), rows.length), { 'data-average': 'waiting' });
		} else {
			cell(line, 'td', '–');
			cell(line, 'td', '–');
		}
		cell(line, 'td', outcomeText(outcome, rows, note), { class: 'outcome' });
	}
	return table;
}

function outcomeText(outcome, rows, note) {
	if (!outcome) return note;
	if (outcome.failure !== undefined) return `could not finish: ${outcome.failure}`;
	if (outcome.status !== 0) return `refused the batch (exit status ${outcome.status}): ${textOf(outcome.error).trim()}`;
	if (!rows) return 'a report line is not one this page can read';
	return `${rows.length} processes`;
}

function drawCharts(box, results) {
	const drawn = results.filter((r) => r.chart.shown);
	box.replaceChildren();
	if (drawn.length === 0) return;
	const spans = drawn.map((r) => spanOf(r.chart.shown));
	const span = { from: Math.min(...spans.map((s) => s.from)), to: Math.max(...spans.map((s) => s.to)) };
	const width = box.clientWidth;
	for (const { name, chart } of results) {
		const figure = document.createElement('figure');
		figure.className = 'compare-chart';
		figure.dataset.program = name;
		const caption = document.createElement('figcaption');
		caption.textContent = name;
		figure.append(caption);
		if (chart.shown) figure.append(drawChart(chart.shown, width, span));
		else {
			const p = document.createElement('p');
			p.className = 'note';
			p.textContent = chart.note || 'No chart: the program did not run this batch.';
			figure.append(p);
		}
		box.append(figure);
	}
}
