// The output of one run: the status, the report and the console's message, the chart, the
// table and their exports. What the chart and the table are drawn from (chartOf,
// reportRows) serves the comparison and the sheets' keys too.
//
// The output section's data-state tells whether what it shows belongs to the batch now in
// the box: "done" when it does, "pending" or "running" while a run is due or going on,
// "stopped" and "failed" otherwise. The browser tests wait for "done". While a run goes
// on, and after Stop, the run still on screen is marked as the previous batch's.

import { programs, readReportLine } from './programs.js';
import { textOf, bytesOf } from './runner.js';
import { drawChart, lanesOf, mostLanes, placeCursor } from './chart.js';
import { drawTable, mostRows } from './table.js';
import { csvOf, svgFileOf, pngOf, saveBlob } from './export.js';

// The report's lines as rows of numbers (BigInt), or null where a line is not one.
export function reportRows(name, report) {
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

// What the chart of a run draws, `shown`, or null with a `note` that says why there is none;
// the note may also tell about a chart that is drawn.
export function chartOf(name, outcome, rows) {
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
	const lanes = lanesOf(records, segments);
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

// `elements`: the output section and its parts, the chart's and the table's sections'
// parts; `afterDraw(svg)` is told of every chart drawn, for the Steps' cursor.
export function outputView(elements, { state, afterDraw }) {
	const e = elements;
	let shown = null; // what the chart was drawn from, for drawing it again at another width
	let drawnWidth = 0;

	function setState(runState, status) {
		e.output.dataset.state = runState;
		e.status.textContent = status;
		e.stop.hidden = runState !== 'running';
		if (runState !== 'running') e.progress.textContent = '';
		const stale = state.outcome !== null && (runState === 'running' || runState === 'stopped');
		e.main.toggleAttribute('data-stale', stale);
		e.staleNote.hidden = !stale;
	}

	function progress(point) {
		const count = (n) => n.toLocaleString('en');
		e.progress.textContent = `clock ${count(point.clock)} of ${count(point.last_arrival)}, ` +
			`${count(point.finished)} of ${count(point.processes)} processes finished`;
	}

	function clear() {
		e.report.textContent = '';
		e.error.textContent = '';
		e.errorBox.hidden = true;
		e.chart.replaceChildren();
		e.chartNote.textContent = '';
		e.table.replaceChildren();
		e.tableNote.textContent = '';
		for (const button of [e.saveSvg, e.savePng, e.saveCsv]) button.hidden = true;
		shown = null;
	}

	function show(name, outcome) {
		const meta = programs[name];
		e.report.textContent = textOf(outcome.report);
		e.error.textContent = textOf(outcome.error);
		e.errorBox.hidden = outcome.error === '';
		e.save.onclick = () => saveBlob(`${name}.out`, new Blob([bytesOf(outcome.report)], { type: 'text/plain' }));
		if (meta.cases) return;
		const rows = outcome.status === 0 ? reportRows(name, outcome.report) : null;
		showTable(meta, outcome, rows);
		const chart = chartOf(name, outcome, rows);
		e.chartNote.textContent = chart.note;
		shown = chart.shown;
		draw();
		e.saveSvg.hidden = e.savePng.hidden = shown === null;
	}

	function showTable(meta, outcome, rows) {
		if (outcome.status !== 0) {
			e.tableNote.textContent = 'No table: the program refused the batch.';
		} else if (rows === null) {
			e.tableNote.textContent = 'No table: a report line is not one this page can read.';
		} else if (rows.length === 0) {
			e.tableNote.textContent = 'No processes, so there is nothing to tabulate.';
		} else {
			const notes = [];
			if (rows.length > mostRows) notes.push(`The first ${mostRows} of ${rows.length} lines; the averages cover all.`);
			if (meta.fromTimeZero) {
				notes.push('Like its report, this program measures from time 0: turnaround is the completion, ' +
					'and waiting is when the process was dispatched.');
			}
			e.tableNote.textContent = notes.join(' ');
			e.table.append(drawTable(rows, !meta.fromTimeZero));
			e.saveCsv.hidden = false;
		}
	}

	function draw() {
		drawnWidth = e.chart.clientWidth;
		if (!shown) return;
		e.chart.replaceChildren(drawChart(shown, drawnWidth));
		afterDraw(chartSvg());
	}

	const chartSvg = () => e.chart.querySelector('svg');

	async function savePng() {
		try {
			saveBlob(`${state.program}.png`, await pngOf(chartSvg()));
		} catch (error) {
			e.chartNote.textContent = `The PNG could not be made: ${error.message}.`;
		}
	}

	// Drawn again only when the width changes: a new drawing changes the height.
	new ResizeObserver(() => {
		if (e.chart.clientWidth !== drawnWidth) draw();
	}).observe(e.chart);
	e.saveCsv.addEventListener('click', () => {
		saveBlob(`${state.program}.csv`, new Blob([csvOf(e.table.querySelector('table'))], { type: 'text/csv' }));
	});
	e.saveSvg.addEventListener('click', () => {
		saveBlob(`${state.program}.svg`, new Blob([svgFileOf(chartSvg())], { type: 'image/svg+xml' }));
	});
	e.savePng.addEventListener('click', savePng);

	return { setState, progress, clear, show, draw, chartSvg, placeCursor: (clock) => chartSvg() && placeCursor(chartSvg(), clock) };
}
