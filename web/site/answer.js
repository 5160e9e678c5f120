// The answer check: a report somebody computed by hand, or another program printed, against
// the program's own, byte for byte, and where they differ, line by line and field by field.
//
// Both reports are byte strings (one character per byte, as runner.js gives them). A
// difference of spacing or line ends alone (a carriage return, a doubled blank, a missing
// last line feed) is told apart from a wrong figure: the first keeps every field right.

// The bytes of a text as one character per byte, the form the program's report has.
export function byteStringOf(text) {
	let result = '';
	for (const byte of new TextEncoder().encode(text)) result += String.fromCharCode(byte);
	return result;
}

function linesOf(report) {
	const lines = report.split(/\r\n|\n|\r/);
	while (lines.length > 0 && lines.at(-1).trim() === '') lines.pop();
	return lines;
}

const fieldsOf = (line) => line.trim().split(/[ \t\f\v]+/).filter((f) => f !== '');

// What sets the spacing of `given` apart from `expected`, whose fields are all the same.
function spacingDifferences(expected, given) {
	const found = [];
	if (given.includes('\r\n')) found.push('its lines end in a carriage return and a line feed (CR LF), not a line feed alone');
	else if (given.includes('\r')) found.push('its lines end in a carriage return, not a line feed');
	const lines = given.split(/\r\n|\n|\r/);
	const last = lines.findLastIndex((line) => line.trim() !== '');
	if (last === lines.length - 1 && expected.endsWith('\n')) found.push('its last line has no line feed');
	if (last < lines.length - 2) found.push('it ends in blank lines');
	if (lines.slice(0, last).some((line) => line.trim() === '')) found.push('it has blank lines between report lines');
	const spaced = [];
	lines.forEach((line, index) => {
		if (line.trim() !== '' && /^\s|\s$|\s\s|\t/.test(line)) spaced.push(index + 1);
	});
	if (spaced.length > 0) {
		found.push(`the fields of line${spaced.length > 1 ? 's' : ''} ${spaced.slice(0, 10).join(', ')}` +
			`${spaced.length > 10 ? ', …' : ''} are not set apart by one space each`);
	}
	if (found.length === 0) found.push('its bytes differ in white space');
	return found;
}

// The verdict on `given` against `expected`:
//   {kind: 'same'}                                          byte for byte the report
//   {kind: 'spacing', differences: [...]}                   every field right, white space not
//   {kind: 'wrong', lines: [{line, status, given, expected, wrongFields}], firstWrong}
// where status is 'right', 'wrong' (wrongFields: the indices of the fields that differ),
// 'missing' or 'extra', and firstWrong the index of the first line that is not right.
export function checkAnswer(expected, given) {
	if (given === expected) return { kind: 'same' };
	const want = linesOf(expected);
	const have = linesOf(given);
	const lines = [];
	for (let i = 0; i < Math.max(want.length, have.length); i++) {
		if (i >= have.length) {
			lines.push({ line: i + 1, status: 'missing', expected: want[i], given: null, wrongFields: [] });
			continue;
		}
		if (i >= want.length) {
			lines.push({ line: i + 1, status: 'extra', expected: null, given: have[i], wrongFields: [] });
			continue;
		}
		const a = fieldsOf(want[i]);
		const b = fieldsOf(have[i]);
		const wrongFields = [];
		for (let f = 0; f < Math.max(a.length, b.length); f++) if (a[f] !== b[f]) wrongFields.push(f);
		lines.push({ line: i + 1, status: wrongFields.length ? 'wrong' : 'right', expected: want[i], given: have[i], wrongFields });
	}
	const firstWrong = lines.findIndex((l) => l.status !== 'right');
	if (firstWrong < 0) return { kind: 'spacing', differences: spacingDifferences(expected, given) };
	return { kind: 'wrong', lines, firstWrong };
}

const contains = (list, record) => Array.isArray(list) && list.includes(record);

// The index of the decision that explains why report line `index` is what the program
// says and not `givenName`'s: a tie between the two, the step at which the given process
// was passed over for the program's, or else the ordering that put the program's first
// (the first tick's, the final phase's, an FCFS program's). For a line with the right
// name but wrong figures: the first step at which that process was passed over. Null
// when the account has no such entry.
export function decisionFor(document, index, givenName) {
	const decisions = document?.decisions ?? [];
	const expected = document?.processes?.[index]?.record;
	if (expected === undefined) return null;
	const earlier = new Set(document.processes.slice(0, index).map((p) => p.record));
	const given = document.records.find((r) => !earlier.has(r.record) && r.name[0] === givenName)?.record;
	const find = (test) => {
		const at = decisions.findIndex(test);
		return at < 0 ? null : at;
	};
	if (given !== undefined && given !== expected) {
		const both = (list) => contains(list, expected) && contains(list, given);
		return find((d) => d.kind === 'tie' && both(d.processes)) ??
			find((d) => d.kind === 'step' && both(d.key_order)) ??
			find((d) => (d.kind === 'first_tick' || d.kind === 'final_phase' || d.kind === 'order') && both(d.order));
	}
	return find((d) => d.kind === 'step' && d.process !== expected && contains(d.key_order, expected)) ??
		find((d) => d.kind === 'tie' && contains(d.processes, expected)) ??
		find((d) => d.kind === 'finish' && d.process === expected);
}
