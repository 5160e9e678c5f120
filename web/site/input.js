// The input side: the program picker, what the page tells of the program, the batch box
// with its buttons, and the box with a link to the batch.

import { element } from './dom.js';
import { programs, programNames } from './programs.js';
import { fragmentOf, linkTo } from './address.js';
import { exerciseParams } from './exercise.js';

export async function loadExample(name) {
	const response = await fetch(`examples/${name}.txt`);
	if (!response.ok) throw new Error(`examples/${name}.txt: ${response.status}`);
	return response.text();
}

// `elements`: the picker, the about section's parts, the batch box, its buttons and the
// link box. `edited()` is told when the batch changes by hand, `runNow()` when it is to run
// at once, `stop()` to stop the run, and `exampleLoaded()` when the example replaced the batch.
export function inputView(elements, { state, edited, runNow, stop, exampleLoaded, failed }) {
	const e = elements;

	// Radio buttons, so that arrow keys move between programs.
	for (const name of programNames) {
		const radio = element('input', { type: 'radio', name: 'program', value: name });
		radio.addEventListener('change', () => {
			if (radio.checked) location.hash = name;
		});
		e.picker.append(element('label', {}, radio, element('span', { class: 'program-name' }, name)));
	}

	function showProgram(name) {
		const meta = programs[name];
		e.main.dataset.program = name;
		for (const radio of e.picker.querySelectorAll('input[name=program]')) radio.checked = radio.value === name;
		document.title = `${name} · sched_suite in the browser`;
		e.aboutTitle.textContent = `${name}: ${meta.title}`;
		e.summary.textContent = meta.summary;
		e.format.textContent = `Input: ${meta.record}.`;
		for (const part of e.casesOnly) part.hidden = !meta.cases;
		for (const part of e.schedulesOnly) part.hidden = Boolean(meta.cases);
		for (const item of e.main.querySelectorAll('.phases-only')) item.hidden = !meta.phases;
		e.shareBox.hidden = true;
		e.shareNote.textContent = '';
	}

	// The address of what is shown: the exercise's, which is shorter, or the batch's.
	const paramsShown = () => (state.exercise
		? exerciseParams(state.exercise.seed, state.exercise.options)
		: new URLSearchParams({ batch: e.batch.value }));

	function share() {
		const params = paramsShown();
		if (state.view === 'compare') params.set('view', 'compare');
		const link = linkTo(state.program, params);
		e.shareBox.hidden = link.error !== undefined;
		e.shareNote.textContent = link.error ?? 'Anyone who opens this link sees this program run on this batch.';
		if (link.href) {
			e.shareUrl.value = link.href;
			e.shareUrl.select();
		}
	}

	async function example() {
		const name = state.program;
		try {
			const text = await loadExample(name);
			if (state.program !== name) return;
			e.batch.value = text;
		} catch (error) {
			failed(`The example could not be loaded (${error.message}).`);
			return;
		}
		exampleLoaded();
	}

	e.batch.addEventListener('input', edited);
	e.batch.addEventListener('keydown', (event) => {
		if (event.key === 'Enter' && (event.ctrlKey || event.metaKey)) {
			event.preventDefault();
			runNow();
		}
	});
	e.run.addEventListener('click', runNow);
	e.stop.addEventListener('click', stop);
	e.example.addEventListener('click', example);
	e.share.addEventListener('click', share);
	e.compare.addEventListener('click', () => {
		const params = paramsShown();
		params.set('view', 'compare');
		location.hash = fragmentOf(state.program, params);
	});

	return { showProgram };
}
