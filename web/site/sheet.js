// A sheet of exercises to print: `count` batches from the seeds seed, seed + 1, …, so that
// exercise k of the sheet is the single exercise of seed + k − 1, and the answer key,
// each report as the program prints it, on pages of its own.

import { textOf } from './runner.js';

function element(tag, text, attributes = {}) {
	const node = document.createElement(tag);
	if (text !== undefined) node.textContent = text;
	for (const [key, value] of Object.entries(attributes)) node.setAttribute(key, value);
	return node;
}

export async function showSheet(program, seed, options, count, view, { run, isCurrent, makeBatch }) {
	const exercises = [];
	for (let k = 0; k < count; k++) {
		const exerciseSeed = (seed + k) >>> 0;
		const text = makeBatch(program, exerciseSeed, options);
		// One batch at a time: the program's worker runs one.
		const outcome = await run(program, text);
		if (!isCurrent() || outcome.stopped) return false;
		exercises.push({ number: k + 1, seed: exerciseSeed, text, outcome });
	}
	view.note.textContent = `${count} exercises for ${program}, from seed ${seed}; the answer key follows on pages of its own.`;
	view.exercises.replaceChildren(...exercises.map(({ number, seed: s, text }) => {
		const box = element('article', undefined, { class: 'sheet-exercise', 'data-exercise': String(number) });
		box.append(element('h3', `Exercise ${number} (seed ${s})`));
		box.append(element('p', `Work out what ${program} prints for this batch.`));
		box.append(element('pre', text, { class: 'sheet-batch' }));
		box.append(element('div', undefined, { class: 'sheet-space' }));
		return box;
	}));
	const key = [element('h3', 'Answer key', { class: 'key-title' })];
	for (const { number, outcome } of exercises) {
		const box = element('article', undefined, { class: 'sheet-answer', 'data-exercise': String(number) });
		box.append(element('h4', `Exercise ${number}`));
		const report = outcome.failure !== undefined
			? `${program} could not finish: ${outcome.failure}`
			: textOf(outcome.report) + (outcome.status === 0 ? '' : textOf(outcome.error));
		box.append(element('pre', report, { class: 'sheet-report' }));
		key.push(box);
	}
	view.key.replaceChildren(...key);
	return true;
}
