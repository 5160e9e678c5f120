// The four schedulers on one batch: their charts on one time axis, and a table of their
// average turnaround and waiting. The program picked reads the batch first; the others get
// the records it read, from its own document, without the priority column where it had
// one: so a name glued to its figure, or text after the last record, reaches them as the
// program picked understood it. A batch without priorities cannot run under priority_sched.

import { fragmentOf } from './address.js';
import { drawChart, spanOf } from './chart.js';
import { element } from './dom.js';
import { chartOf, reportRows } from './output.js';
import { average } from './table.js';
import { bytesOf, textOf } from './runner.js';

export const schedulers = ['priority_sched', 'srtf_sched', 'fcfs_sched', 'fcfs_fixed'];

// A batch of the records as a byte string: the count, then per record its name byte, the
// priority 1 where `withPriority`, and the arrival and burst.
function recordsBatch(records, withPriority = false) {
	const lines = records.map((r) => `${r.name} ${withPriority ? '1 ' : ''}${r.arrival} ${r.burst}\n`);
	return `${records.length}\n${lines.join('')}`;
}

const batchOfRecords = (records) => bytesOf(recordsBatch(records));

// The records of the base program's run in priority_sched's form, every process given
// priority 1 for the user to change.
export const withPriorities = (records) => textOf(recordsBatch(records, true));

// The batch each of the other schedulers reads, or a note instead where it cannot have one.
function batchesFor(base, outcome) {
	const none = (note) => Object.fromEntries(schedulers.filter((n) => n !== base).map((n) => [n, { note }]));
	if (outcome.failure !== undefined) return none(`No batch: ${base} could not finish it.`);
	if (outcome.status !== 0) return none(`No batch: ${base} refused it, so it has no records to give.`);
	if (outcome.records === null) {
		return none(`The batch is too large to compare: the page reads at most 10,000 of the records ${base} read.`);
	}
	const batches = none('');
	for (const name of Object.keys(batches)) batches[name] = { batch: batchOfRecords(outcome.records) };
	if (base !== 'priority_sched') {
		batches.priority_sched = {
			note: 'priority_sched needs a priority for each process, and this batch has none. Add priorities ' +
				'(name priority arrival burst) to compare from priority_sched.',
		};
	}
	return batches;
}

// `elements`: the section's note, table, charts and its button that adds priorities;
// `navigate(fragment)` goes to another address.
export function compareView(elements, { run, navigate }) {
	let addable = null; // the batch with priorities added, where the base has none

	elements.addPriorities.addEventListener('click', () => {
		navigate(fragmentOf('priority_sched', new URLSearchParams({ view: 'compare', batch: addable })));
	});

	// Runs `batch` under the four, `base` first, and shows them; false when a newer run
	// took over.
	async function show(base, batch, isCurrent) {
		elements.addPriorities.hidden = true;
		const shown = await showComparison(base, batch, elements, { run, isCurrent });
		if (!shown) return false;
		addable = shown.addable;
		elements.addPriorities.hidden = addable === null;
		return true;
	}

	return { show };
}

// Runs the batch under the four and shows them. Resolves with false when a newer run took
// over, or else with {addable}: the batch with priorities added, where the base has none.
async function showComparison(base, batch, view, { run, isCurrent }) {
	const outcome = await run(base, batch);
	if (!isCurrent() || outcome.stopped) return false;
	const batches = { ...batchesFor(base, outcome), [base]: { batch } };
	const others = schedulers.filter((name) => name !== base);
	const otherOutcomes = await Promise.all(others.map((name) => (batches[name].batch ? run(name, batches[name].batch) : null)));
	if (!isCurrent() || otherOutcomes.some((o) => o?.stopped)) return false;
	const outcomes = { [base]: outcome, ...Object.fromEntries(others.map((name, i) => [name, otherOutcomes[i]])) };

	const results = schedulers.map((name) => {
		const shown = outcomes[name];
		const rows = shown && shown.failure === undefined && shown.status === 0 ? reportRows(name, shown.report) : null;
		const chart = rows ? chartOf(name, shown, rows) : { shown: null, note: '' };
		return { name, outcome: shown, rows, chart, note: batches[name].note };
	});
	view.note.textContent = base === 'priority_sched'
		? 'srtf_sched, fcfs_sched and fcfs_fixed run the records priority_sched read, without their priorities. ' +
			'Like their reports, the FCFS programs measure turnaround and waiting from time 0.'
		: `The other schedulers run the records ${base} read. ` +
			'Like their reports, the FCFS programs measure turnaround and waiting from time 0.';
	view.table.replaceChildren(comparisonTable(results));
	drawCharts(view.charts, results);
	const accepted = outcome.failure === undefined && outcome.status === 0 && outcome.records !== null;
	return { addable: base !== 'priority_sched' && accepted ? withPriorities(outcome.records) : null };
}

function comparisonTable(results) {
	const cell = (tag, text, attributes = {}) => element(tag, attributes, text);
	const head = element('tr', {}, ...['Scheduler', 'Average turnaround', 'Average waiting', 'Outcome'].map((c) => cell('th', c, { scope: 'col' })));
	const rows = results.map(({ name, outcome, rows: lines, note }) => {
		const averages = lines && lines.length > 0
			? ['turnaround', 'waiting'].map((field) => {
				const sum = lines.reduce((total, row) => total + row[field], 0n);
				return cell('td', average(sum, lines.length), { 'data-average': field });
			})
			: [cell('td', '–'), cell('td', '–')];
		return element('tr', { 'data-program': name }, cell('th', name, { scope: 'row' }), ...averages,
			cell('td', outcomeText(outcome, lines, note), { class: 'outcome' }));
	});
	return element('table', { class: 'comparison' }, element('caption', {}, 'Averages per scheduler'),
		element('thead', {}, head), element('tbody', {}, ...rows));
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
		const figure = element('figure', { class: 'compare-chart', 'data-program': name }, element('figcaption', {}, name));
		figure.append(chart.shown
			? drawChart(chart.shown, width, span)
			: element('p', { class: 'note' }, chart.note || 'No chart: the program did not run this batch.'));
		box.append(figure);
	}
}
