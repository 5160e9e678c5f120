// Exercises: a batch for a scheduler made from a seed and a few options, the same in every
// browser, so that one link gives every student the same batch.
//
// The generator is mulberry32, a 32-bit generator written here in full: Math.random differs
// between browsers and cannot be seeded. Its state is one 32-bit word; each draw adds
// 0x6D2B79F5 to it and mixes the sum into a 32-bit output with two multiply-xorshift rounds.
// A draw from lo to hi is lo + floor(output · (hi − lo + 1) / 2³²), exact in doubles for any
// range of 32-bit integers.

export const mostProcesses = 26; // one capital letter each
export const valueLimit = 1_000_000; // every range lies within −limit..limit

export const defaults = { n: 5, arrival: [0, 8], burst: [1, 6], priority: [1, 5], ties: false };

// The 32-bit outputs of mulberry32 started from `seed`, one per call.
export function mulberry32(seed) {
	let state = seed >>> 0;
	return () => {
		state = (state + 0x6d2b79f5) >>> 0;
		let z = state;
		z = Math.imul(z ^ (z >>> 15), z | 1);
		z ^= z + Math.imul(z ^ (z >>> 7), z | 61);
		return (z ^ (z >>> 14)) >>> 0;
	};
}

function drawer(next) {
	return (lo, hi) => lo + Math.floor((next() * (hi - lo + 1)) / 2 ** 32);
}

// The values a column draws from: the whole range, or with ties a few distinct values of
// it, one for about every three processes, so that several processes share each one.
function pool(draw, [lo, hi], n, ties) {
	if (!ties) return null;
	const size = Math.max(1, Math.min(hi - lo + 1, Math.ceil(n / 3)));
	const values = new Set();
	while (values.size < size) values.add(draw(lo, hi));
	return [...values];
}

// The batch text for `program` (priority_sched's records carry a priority, the others' do
// not), as the program reads it.
export function makeBatch(program, seed, options) {
	const { n, arrival, burst, priority, ties } = options;
	const draw = drawer(mulberry32(seed));
	const columns = program === 'priority_sched' ? [priority, arrival, burst] : [arrival, burst];
	const pools = columns.map((range) => pool(draw, range, n, ties));
	const lines = [];
	for (let i = 0; i < n; i++) {
		const values = columns.map((range, c) => (pools[c] ? pools[c][draw(0, pools[c].length - 1)] : draw(...range)));
		lines.push(`${String.fromCharCode(65 + i)} ${values.join(' ')}\n`);
	}
	return `${n}\n${lines.join('')}`;
}

// The seed and options of an address's parameters, or {error} when one is out of bounds.
// Options left out take their defaults.
export function readExercise(params) {
	const seed = wholeNumber(params.get('seed'));
	if (seed === null || seed < 0 || seed > 0xffffffff) return { error: 'The seed must be a whole number from 0 to 4294967295.' };
	const n = params.has('n') ? wholeNumber(params.get('n')) : defaults.n;
	if (n === null || n < 1 || n > mostProcesses) return { error: `The number of processes must be 1 to ${mostProcesses}.` };
	const options = { n, ties: params.get('ties') === '1' };
	for (const column of ['arrival', 'burst', 'priority']) {
		const range = params.has(column) ? readRange(params.get(column)) : defaults[column];
		const least = column === 'burst' ? 1 : -valueLimit;
		if (!range || range[0] < least || range[1] > valueLimit || range[0] > range[1]) {
			return { error: `The ${column} range must be two whole numbers lo-hi with ${least} ≤ lo ≤ hi ≤ ${valueLimit}.` };
		}
		options[column] = range;
	}
	return { seed, options };
}

// The address parameters of an exercise, the defaults left out.
export function exerciseParams(seed, options) {
	const params = new URLSearchParams({ seed: String(seed) });
	if (options.n !== defaults.n) params.set('n', String(options.n));
	for (const column of ['arrival', 'burst', 'priority']) {
		const [lo, hi] = options[column];
		if (lo !== defaults[column][0] || hi !== defaults[column][1]) params.set(column, `${lo}~${hi}`);
	}
	if (options.ties) params.set('ties', '1');
	return params;
}

function wholeNumber(text) {
	return text !== null && /^-?\d{1,10}$/.test(text) ? Number(text) : null;
}

// "lo~hi"; a range of negative numbers cannot use a minus sign between them.
function readRange(text) {
	const match = /^(-?\d{1,7})~(-?\d{1,7})$/.exec(text);
	return match ? [Number(match[1]), Number(match[2])] : null;
}
