// The turnaround and waiting times of a report as a table, with their averages. The
// figures are the report's own; the averages are the page's, in exact integer arithmetic.

import { element } from './dom.js';

// A table of tens of thousands of rows helps nobody; the averages still cover every row.
export const mostRows = 1000;

// `sum / count` rounded to two decimals, without trailing zeros.
export function average(sum, count) {
	const n = BigInt(count);
	const negative = sum < 0n;
	const hundredths = ((negative ? -sum : sum) * 200n + n) / (2n * n);
	const whole = hundredths / 100n;
	const fraction = (hundredths % 100n).toString().padStart(2, '0').replace(/0+$/, '');
	const text = fraction ? `${whole}.${fraction}` : `${whole}`;
	return negative && hundredths > 0n ? `-${text}` : text;
}

const cell = (tag, text, attributes = {}) => element(tag, attributes, text);

// The table for `rows` (report lines read with readReportLine, as BigInt), in report order.
export function drawTable(rows, withArrival) {
	const columns = ['Process', ...(withArrival ? ['Arrival'] : []), 'Burst', 'Completion', 'Turnaround', 'Waiting'];
	const body = rows.slice(0, mostRows).map((row) => {
		const figures = [...(withArrival ? [row.arrival] : []), row.burst, row.completion, row.turnaround, row.waiting];
		return element('tr', {}, cell('th', row.name, { scope: 'row' }), ...figures.map((figure) => cell('td', String(figure))));
	});
	const sum = (field) => rows.reduce((total, row) => total + row[field], 0n);
	const foot = element('tr', {},
		cell('th', `Average of ${rows.length}`, { scope: 'row', colspan: columns.length - 2 }),
		cell('td', average(sum('turnaround'), rows.length), { 'data-average': 'turnaround' }),
		cell('td', average(sum('waiting'), rows.length), { 'data-average': 'waiting' }));
	return element('table', {},
		element('thead', {}, element('tr', {}, ...columns.map((column) => cell('th', column, { scope: 'col' })))),
		element('tbody', {}, ...body),
		element('tfoot', {}, foot));
}
