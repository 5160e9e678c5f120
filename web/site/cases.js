// sum_cases's form: its cases as the batch the program reads, and back.

export const mostCases = 10;

// The cases of a batch, as pairs of number texts, when it is what the form makes: a count
// of 1 to 10 and that many pairs of whole numbers. Anything else gives null, and the
// batch stays as typed.
export function casesOf(text) {
	const tokens = text.trim().split(/\s+/);
	const whole = /^[+-]?\d+$/;
	if (!whole.test(tokens[0])) return null;
	const count = Number(tokens[0]);
	if (count < 1 || count > mostCases || tokens.length !== 1 + 2 * count) return null;
	if (!tokens.slice(1).every((token) => whole.test(token))) return null;
	return Array.from({ length: count }, (_, i) => [tokens[1 + 2 * i], tokens[2 + 2 * i]]);
}

export function batchOf(cases) {
	return `${cases.length}\n${cases.map(([first, second]) => `${first} ${second}\n`).join('')}`;
}
