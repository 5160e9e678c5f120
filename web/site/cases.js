// sum_cases's form: its cases as the batch the program reads, and back.

import { element } from './dom.js';

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

// The form of `elements` (the fieldset, its list, the add and reset buttons, the note),
// kept in step with the batch box: the form writes the batch, and a batch typed by hand
// fills the form when it has the form's shape. `edited()` is told of every change the
// form makes to the batch.
export function casesView(elements, { batch, edited }) {
	const e = elements;

	function fill() {
		const cases = casesOf(batch.value);
		e.list.replaceChildren();
		e.form.disabled = cases === null;
		e.note.textContent = cases === null
			? `The batch is not 1 to ${mostCases} cases of two whole numbers, so the form is off; the program reads the batch as it is.`
			: '';
		e.reset.hidden = cases !== null;
		for (const [first, second] of cases ?? []) addRow(first, second);
	}

	function addRow(first, second) {
		const number = (value) => {
			const input = element('input', { type: 'text', inputmode: 'numeric', autocomplete: 'off', spellcheck: 'false' });
			input.value = value;
			input.addEventListener('input', formEdited);
			return input;
		};
		const item = element('li');
		const remove = element('button', { type: 'button' }, 'Remove');
		remove.addEventListener('click', () => {
			const next = item.nextElementSibling ?? item.previousElementSibling;
			item.remove();
			formEdited();
			next?.querySelector('input')?.focus();
		});
		item.append(number(first), ' + ', number(second), ' ', remove);
		e.list.append(item);
		syncButtons();
		return item;
	}

	// One case at least stays, and ten at most can be. The fields are named by their case,
	// which changes as cases go.
	function syncButtons() {
		[...e.list.children].forEach((item, index) => {
			const [first, second] = item.querySelectorAll('input');
			first.setAttribute('aria-label', `Case ${index + 1}, first number`);
			second.setAttribute('aria-label', `Case ${index + 1}, second number`);
			const remove = item.querySelector('button');
			remove.setAttribute('aria-label', `Remove case ${index + 1}`);
			remove.disabled = e.list.children.length === 1;
		});
		e.add.disabled = e.list.children.length >= mostCases;
	}

	function formEdited() {
		const cases = [...e.list.children].map((item) =>
			[...item.querySelectorAll('input')].map((input) => input.value.trim()));
		syncButtons();
		batch.value = batchOf(cases);
		edited();
	}

	e.add.addEventListener('click', () => {
		addRow('0', '0').querySelector('input').focus();
		formEdited();
	});
	e.reset.addEventListener('click', () => {
		batch.value = batchOf([['1', '2']]);
		fill();
		edited();
	});

	return { fill };
}
