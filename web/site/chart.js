// The Gantt chart of a run, drawn as SVG from the segments that the program recorded: one
// lane per process in input order, time running to the right.
//
// What the chart shows is the program's own account of the run: a segment is a stretch in
// which one process ran without a break, idle time is what lies between segments, the first
// tick is the first unit of the first segment, and the final phase begins where the program
// says. Every mark carries its times in data- attributes, which the browser tests read.

import { textOf } from './runner.js';

const svgNS = 'http://www.w3.org/2000/svg';
let charts = 0; // for ids of one chart's parts that differ from every other chart's

// More lanes than this make a chart nobody can read on a screen.
export const mostLanes = 200;

const layout = {
	gutter: 72, // lane labels
	right: 16,
	band: 22, // the phase band above the lanes
	top: 30, // where the first lane begins
	lane: 28,
	bar: 18,
	axis: 30,
};

// Colours that dark text reads well on, one per process in turn.
const palette = ['#8ecae6', '#b5e48c', '#f4a3c0', '#cdb4db', '#ffd6a5', '#90dbc5', '#bde0fe', '#e9c46a', '#caffbf', '#d8b4a0'];

function svgElement(name, attributes = {}, text) {
	const node = document.createElementNS(svgNS, name);
	for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, String(value));
	if (text !== undefined) node.textContent = text;
	return node;
}

function titled(node, title) {
	node.append(svgElement('title', {}, title));
	return node;
}

// A tick step of 1, 2 or 5 times a power of ten, whole units at least, for about `count`
// ticks over `span`.
function tickStep(span, count) {
	const raw = span / Math.max(count, 1);
	const power = 10 ** Math.floor(Math.log10(Math.max(raw, 1)));
	const step = [1, 2, 5, 10].map((m) => m * power).find((s) => s >= raw);
	return Math.max(1, step);
}

// Stretches between segments in which no process ran, in time order.
export function idleGaps(segments) {
	const ordered = [...segments].sort((a, b) => a.start - b.start);
	const gaps = [];
	let covered = ordered.length > 0 ? ordered[0].end : 0;
	for (const segment of ordered.slice(1)) {
		if (segment.start > covered) gaps.push({ start: covered, end: segment.start });
		covered = Math.max(covered, segment.end);
	}
	return gaps;
}

// Pairs each report line with the process it reports on: the same name and burst, and where
// several processes share both, the one whose last segment ends at the reported completion.
export function pairReport(lanes, rows) {
	const taken = new Set();
	const pairs = new Map();
	for (const row of rows) {
		const candidates = lanes.filter(
			(lane) => !taken.has(lane) && lane.nameBytes === row.nameBytes && lane.burst === row.burst,
		);
		const lane =
			candidates.find((c) => c.segments.length > 0 && c.segments.at(-1).end === row.completion) ?? candidates[0];
		if (lane) {
			taken.add(lane);
			pairs.set(lane, row);
		}
	}
	return pairs;
}

// A name as the chart shows it: as a UTF-8 console would, with a control character as its
// picture (U+2400 to U+241F, and U+2421 for DEL). Such a byte is a name the programs
// accept, but XML has no place for most of them: the saved SVG would not be well formed.
export function nameShown(bytes) {
	return textOf(bytes).replace(/[\u0000-\u001f\u007f]/g, (c) =>
		String.fromCharCode(c === '\u007f' ? 0x2421 : 0x2400 + c.charCodeAt(0)));
}

// The lanes of a run: each record with its segments of positive length. A segment of no
// length is no time on the processor, and a chart cannot draw one of negative length.
export function lanesOf(records, segments) {
	const lanes = records.map((record, index) => ({
		record: index + 1,
		nameBytes: record.name,
		name: nameShown(record.name),
		arrival: record.arrival,
		burst: record.burst,
		priority: record.priority,
		segments: [],
	}));
	for (const segment of segments) {
		if (segment.end > segment.start) lanes[segment.record - 1].segments.push(segment);
	}
	return lanes;
}

// The chart as an <svg> element `width` pixels wide. `run` holds the lanes, the segments
// in time order, the final phase's start (or null), the report's rows, and `phases`: whether
// the program has a first tick and a final phase to mark. `span`, when given, is the time
// axis {from, to}, so that several charts can share one.
export function drawChart(run, width, span = null) {
	const { lanes, segments, finalPhaseStart, rows, phases } = run;
	const completions = pairReport(lanes, rows);

	const times = segments.flatMap((s) => [s.start, s.end]);
	for (const lane of lanes) times.push(lane.arrival);
	for (const row of completions.values()) times.push(row.completion);
	const from = span ? span.from : Math.min(...times);
	let to = span ? span.to : Math.max(...times);
	if (to <= from) to = from + 1;

	const plot = Math.max(width - layout.gutter - layout.right, 120);
	const x = (t) => layout.gutter + ((t - from) / (to - from)) * plot;
	const laneTop = (index) => layout.top + index * layout.lane;
	const lanesBottom = laneTop(lanes.length);
	const height = lanesBottom + layout.axis;
	const duplicateNames = new Set(
		lanes.map((l) => l.nameBytes).filter((name, i, all) => all.indexOf(name) !== i),
	);

	const id = `chart-${++charts}`;
	const svg = svgElement('svg', {
		width: layout.gutter + plot + layout.right,
		height,
		viewBox: `0 0 ${layout.gutter + plot + layout.right} ${height}`,
		role: 'img',
		'aria-labelledby': `${id}-title`,
		'aria-describedby': `${id}-desc`,
		class: 'gantt',
		'data-from': from,
		'data-to': to,
		'data-left': layout.gutter,
		'data-plot': plot,
	});
	svg.append(svgElement('title', { id: `${id}-title` }, describe(run, from, to)));
	svg.append(svgElement('desc', { id: `${id}-desc` }, narrate(run)));

	const defs = svgElement('defs');
	const hatch = svgElement('pattern', {
		id: `${id}-hatch`,
		width: 6,
		height: 6,
		patternUnits: 'userSpaceOnUse',
		patternTransform: 'rotate(45)',
	});
	hatch.append(svgElement('rect', { width: 6, height: 6, class: 'idle-ground' }));
	hatch.append(svgElement('line', { x1: 0, y1: 0, x2: 0, y2: 6, class: 'idle-line' }));
	defs.append(hatch);
	svg.append(defs);

	// Time ticks, with a grid line across the lanes.
	const step = tickStep(to - from, Math.floor(plot / 64));
	const grid = svgElement('g', { class: 'axis' });
	for (let t = Math.ceil(from / step) * step; t <= to; t += step) {
		grid.append(svgElement('line', { x1: x(t), x2: x(t), y1: layout.top - 4, y2: lanesBottom, class: 'grid' }));
		grid.append(svgElement('text', { x: x(t), y: lanesBottom + 18, class: 'tick' }, String(t)));
	}
	grid.append(svgElement('line', { x1: layout.gutter, x2: layout.gutter + plot, y1: lanesBottom, y2: lanesBottom, class: 'baseline' }));
	svg.append(grid);
	// The stepping phase's band, under the idle gaps that fall in it.
	const underlay = svgElement('g');
	svg.append(underlay);

	// Idle gaps, across all lanes and named in the band.
	for (const gap of idleGaps(segments)) {
		const mark = titled(svgElement('g', { 'data-mark': 'idle', 'data-start': gap.start, 'data-end': gap.end }),
			`idle from ${gap.start} to ${gap.end}`);
		mark.append(svgElement('rect', {
			x: x(gap.start), y: layout.top - 4, width: x(gap.end) - x(gap.start), height: lanesBottom - layout.top + 4,
			fill: `url(#${id}-hatch)`, class: 'idle',
		}));
		band(mark, x(gap.start), x(gap.end), 'idle', 'band-idle');
		svg.append(mark);
	}

	// The phases of the preemptive programs, drawn over the lanes.
	const marks = [];
	if (phases && segments.length > 0) {
		const first = segments[0];
		const tickEnd = first.start + 1;
		const lane = lanes[first.record - 1];
		const mark = titled(svgElement('g', { 'data-mark': 'first-tick', 'data-time': first.start }),
			`first tick: ${lane.name} runs from ${first.start} to ${tickEnd}, whatever the others`);
		band(mark, x(first.start), x(tickEnd), 'first tick', 'band-first');
		const barTop = laneTop(first.record - 1) + (layout.lane - layout.bar) / 2;
		mark.append(svgElement('rect', {
			x: x(first.start), y: barTop - 2, width: x(tickEnd) - x(first.start), height: layout.bar + 4, class: 'first-unit',
		}));
		marks.push(mark);
		const steppingEnd = finalPhaseStart ?? to;
		if (steppingEnd > tickEnd) band(underlay, x(tickEnd), x(steppingEnd), 'stepping', 'band-stepping');
		if (finalPhaseStart !== null) {
			const final = titled(svgElement('g', { 'data-mark': 'final-phase', 'data-time': finalPhaseStart }),
				`final phase from ${finalPhaseStart}: the rest run to their end`);
			band(final, x(finalPhaseStart), x(to), 'final phase', 'band-final');
			final.append(svgElement('line', {
				x1: x(finalPhaseStart), x2: x(finalPhaseStart), y1: 0, y2: lanesBottom, class: 'final-line',
			}));
			marks.push(final);
		}
	}

	lanes.forEach((lane, index) => {
		const top = laneTop(index);
		const barTop = top + (layout.lane - layout.bar) / 2;
		const label = duplicateNames.has(lane.nameBytes) ? `${lane.name} #${lane.record}` : lane.name;
		const group = svgElement('g', { class: 'lane', 'data-record': lane.record, 'data-name': lane.name });
		const facts = [`arrival ${lane.arrival}`, `burst ${lane.burst}`];
		if (lane.priority !== undefined) facts.push(`priority ${lane.priority}`);
		group.append(titled(
			svgElement('text', { x: layout.gutter - 10, y: barTop + layout.bar / 2, class: 'lane-label' }, label),
			`${lane.name}, record ${lane.record}: ${facts.join(', ')}`,
		));
		const colour = palette[index % palette.length];
		for (const segment of lane.segments) {
			const left = x(segment.start);
			const w = Math.max(x(segment.end) - left, 1);
			const bar = titled(svgElement('rect', {
				x: left, y: barTop, width: w, height: layout.bar, rx: 2, fill: colour, class: 'segment',
				'data-start': segment.start, 'data-end': segment.end,
			}), `${lane.name} runs from ${segment.start} to ${segment.end}`);
			group.append(bar);
			if (w >= 14) {
				group.append(svgElement('text', { x: left + w / 2, y: barTop + layout.bar / 2, class: 'segment-label' }, lane.name));
			}
		}
		group.append(titled(svgElement('path', {
			d: `M ${x(lane.arrival) - 5} ${top} h 10 l -5 6 z`, class: 'arrival', 'data-mark': 'arrival', 'data-time': lane.arrival,
		}), `${lane.name} arrives at ${lane.arrival}`));
		const row = completions.get(lane);
		if (row) {
			group.append(titled(svgElement('line', {
				x1: x(row.completion), x2: x(row.completion), y1: barTop - 3, y2: barTop + layout.bar + 3,
				class: 'completion', 'data-mark': 'completion', 'data-time': row.completion,
			}), `${lane.name} completes at ${row.completion}, as the report says`));
		}
		svg.append(group);
	});
	svg.append(...marks);
	svg.append(svgElement('line', { x1: 0, x2: 0, y1: 0, y2: lanesBottom, class: 'cursor', 'data-mark': 'cursor', visibility: 'hidden' }));

	return svg;
}

// The times a chart of `run` spans, for a shared axis.
export function spanOf(run) {
	const times = run.segments.flatMap((s) => [s.start, s.end]);
	for (const lane of run.lanes) times.push(lane.arrival);
	for (const row of run.rows) times.push(row.completion);
	return { from: Math.min(...times), to: Math.max(...times) };
}

// Marks the clock `time` on a chart drawn by drawChart, or hides the mark for null.
export function placeCursor(svg, time) {
	const cursor = svg.querySelector('[data-mark="cursor"]');
	if (!cursor) return;
	if (time === null) {
		cursor.setAttribute('visibility', 'hidden');
		return;
	}
	const { from, to, left, plot } = svg.dataset;
	const x = Number(left) + ((Math.min(Math.max(time, Number(from)), Number(to)) - Number(from)) / (Number(to) - Number(from))) * Number(plot);
	cursor.setAttribute('x1', String(x));
	cursor.setAttribute('x2', String(x));
	cursor.setAttribute('data-time', String(time));
	cursor.setAttribute('visibility', 'visible');
}

// A labelled stretch of the band above the lanes; the label shows where it fits.
function band(parent, left, right, label, kind) {
	const width = Math.max(right - left, 2);
	parent.append(svgElement('rect', { x: left, y: 2, width, height: layout.band - 4, class: `band ${kind}` }));
	if (width >= label.length * 6.5 + 6)
		parent.append(svgElement('text', { x: left + width / 2, y: 2 + (layout.band - 4) / 2, class: 'band-label' }, label));
}

function describe(run, from, to) {
	const parts = [`Gantt chart of ${run.lanes.length} processes from time ${from} to ${to}`];
	if (run.phases && run.finalPhaseStart !== null) parts.push(`final phase from ${run.finalPhaseStart}`);
	const gaps = idleGaps(run.segments).length;
	if (gaps > 0) parts.push(`${gaps} idle ${gaps === 1 ? 'gap' : 'gaps'}`);
	return parts.join('; ');
}

// The chart in words, for a screen reader: who runs when, in time order.
function narrate(run) {
	const most = 200;
	const ordered = [...run.segments].filter((s) => s.end > s.start).sort((a, b) => a.start - b.start);
	const parts = ordered.slice(0, most).map((s) => `${run.lanes[s.record - 1].name} runs from ${s.start} to ${s.end}`);
	if (ordered.length > most) parts.push(`and ${ordered.length - most} more segments`);
	return parts.length > 0 ? `${parts.join('; ')}.` : 'No process runs.';
}
