// The turnaround and waiting times of a report as a table, with their averages. The
// figures are the report's own; the averages are the page's, in exact integer arithmetic.

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

function cell(row, tag, text, attributes = {}) {
	const node = document.createElement(tag);
	node.textContent = text;
	for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
	row.append(node);
	return node;
}

// The table for `rows` (report lines read with readReportLine, as BigInt), in report order.
export function drawTable(rows, withArrival) {
	const table = document.createElement('table');
	const columns = ['Process', ...(withArrival ? ['Arrival'] : []), 'Burst', 'Completion', 'Turnaround', 'Waiting'];
	const head = table.createTHead().insertRow();
	for (const column of columns) cell(head, 'th', column, { scope: 'col' });

	const body = table.createTBody();
	for (const row of rows.slice(0, mostRows)) {
		const line = body.insertRow();
		cell(line, 'th', row.name, { scope: 'row' });
		const figures = [...(withArrival ? [row.arrival] : []), row.burst, row.completion, row.turnaround, row.waiting];
		for (const figure of figures) cell(line, 'td', String(figure));
	}

	const foot = table.createTFoot().insertRow();
	cell(foot, 'th', `Average of ${rows.length}`, { scope: 'row', colspan: String(columns.length - 2) });
	const sum = (field) => rows.reduce((total, row) => total + row[field], 0n);
	cell(foot, 'td', average(sum('turnaround'), rows.length), { 'data-average': 'turnaround' });
	cell(foot, 'td', average(sum('waiting'), rows.length), { 'data-average': 'waiting' });
	return table;
}
