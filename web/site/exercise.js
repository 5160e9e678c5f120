// Exercises: a batch for a scheduler made from a seed and a few options, the same in every
// browser and in the console's sched_check, so that one link gives every student the same
// batch. The batch itself comes from the suite's one generator (common/batch_generator),
// in the program's glue; this module reads and checks the options, and runs the exercise
// form and the banner of an exercise whose answer stays hidden until asked for.

import { fragmentOf } from './address.js';

export const mostProcesses = 26; // one capital letter each
export const valueLimit = 1_000_000; // every range lies within −limit..limit
export const mostSheet = 40; // exercises on one sheet

export const defaults = { n: 5, arrival: [0, 8], burst: [1, 6], priority: [1, 5], ties: false };

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

// A seed nobody chose, from the browser's random source: the batch itself still comes from
// the seed alone.
function freshSeed() {
	return crypto.getRandomValues(new Uint32Array(1))[0];
}

const columns = ['arrival', 'burst', 'priority'];

// `elements`: the form's fields and buttons, its note, the banner and the main element;
// `onReveal()` is told when the answer is shown.
export function exerciseView(elements, { state, onReveal }) {
	const e = elements;

	function fill(seed, options) {
		e.seed.value = String(seed);
		e.n.value = String(options.n);
		for (const column of columns) {
			e[column][0].value = String(options[column][0]);
			e[column][1].value = String(options[column][1]);
		}
		e.ties.checked = options.ties;
	}

	// The form's exercise, or null with the note saying what is wrong.
	function fromForm() {
		const params = new URLSearchParams({ seed: e.seed.value.trim(), n: e.n.value.trim() });
		for (const column of columns) params.set(column, `${e[column][0].value.trim()}~${e[column][1].value.trim()}`);
		if (e.ties.checked) params.set('ties', '1');
		const read = readExercise(params);
		if (read.error) e.note.textContent = read.error;
		return read.error ? null : read;
	}

	function setHidden(hidden) {
		state.answerHidden = hidden;
		e.main.dataset.answer = hidden ? 'hidden' : 'shown';
		e.showAnswer.hidden = !hidden;
	}

	function enter(seed, options) {
		state.exercise = { seed, options };
		fill(seed, options);
		const ranges = [`arrival ${options.arrival.join('–')}`, `burst ${options.burst.join('–')}`];
		if (state.program === 'priority_sched') ranges.push(`priority ${options.priority.join('–')}`);
		e.title.textContent = `Exercise ${seed}: ${options.n} processes, ${ranges.join(', ')}` +
			`${options.ties ? ', with ties' : ''}. Work out the report, then check it below.`;
		e.banner.hidden = false;
		setHidden(true);
	}

	// No exercise on the page, and its answer shown.
	function end() {
		state.exercise = null;
		e.banner.hidden = true;
		setHidden(false);
	}

	// An edited exercise is a batch like any other: its address no longer names it.
	function leave() {
		end();
		history.replaceState(null, '', fragmentOf(state.program, new URLSearchParams(state.view ? { view: state.view } : {})));
	}

	function reveal() {
		if (!state.answerHidden) return;
		setHidden(false);
		onReveal();
	}

	e.newSeed.addEventListener('click', () => {
		e.seed.value = String(freshSeed());
	});
	e.form.addEventListener('submit', (event) => {
		event.preventDefault();
		const read = fromForm();
		if (read) location.hash = fragmentOf(state.program, exerciseParams(read.seed, read.options));
	});
	e.sheet.addEventListener('click', () => {
		const read = fromForm();
		const count = Number(e.count.value);
		if (!read) return;
		if (!(Number.isInteger(count) && count >= 1 && count <= mostSheet)) {
			e.note.textContent = `A sheet holds 1 to ${mostSheet} exercises.`;
			return;
		}
		const params = exerciseParams(read.seed, read.options);
		params.set('view', 'sheet');
		params.set('count', String(count));
		location.hash = fragmentOf(state.program, params);
	});
	e.showAnswer.addEventListener('click', reveal);
	fill(freshSeed(), defaults);

	return {
		enter,
		end,
		leave,
		reveal,
		// A problem with the address's exercise, with the form open to mend it.
		tell(note, open = false) {
			e.note.textContent = note;
			if (open) e.box.open = true;
		},
	};
}
