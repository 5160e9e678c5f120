// The answer check: a report computed by hand, or printed by another program, held against
// the program's own by the suite's one report comparison (common/compare.cpp, the
// console's sched_check's too), which runs in the program's worker, so that a huge answer
// never holds up the page. The verdict is sched_check's: passed, presentation error (only
// spacing and line ends differ) or wrong answer, with each mistake named by its kind, up
// to a hundred of them, and each wrong line linked to the entry of the account that
// decided it.
//
// While an exercise's answer is hidden, each mistake is named by its kind alone: no
// figure, no order of finishing, and no link to an entry that would show them.

import { element } from './dom.js';
import { textOf } from './runner.js';

// A box of a hundred thousand lines takes the browser seconds to lay out: past these, a
// long answer is kept as bytes for the check, and the box shows its beginning.
const mostLinesShown = 1000;
const mostCharactersShown = 100_000;

// The first lines of a long text, or null where it is short enough to show whole.
function beginningOf(text) {
	let end = 0;
	for (let line = 0; line < mostLinesShown && end < mostCharactersShown; line++) {
		const next = text.indexOf('\n', end);
		if (next < 0) return text.length <= mostCharactersShown ? null : text.slice(0, mostCharactersShown);
		end = next + 1;
	}
	return end >= text.length ? null : text.slice(0, Math.min(end, mostCharactersShown));
}

const headlines = {
	passed: () => 'Passed: byte for byte the program\'s report.',
	'presentation error': (detail) => `Presentation error: ${detail}.`,
	'wrong answer': (detail) => `Wrong answer: ${detail}.`,
};

// `elements`: the answer box, its note, the file input, the Check button and the verdict; `judge`
// holds an answer's bytes against a batch's report; `openStep(index)` opens an entry of
// the account in Steps.
export function checkView(elements, { state, judge, openStep }) {
	const e = elements;
	let answerBytes = null; // an answer from a file, with its own line ends, or one too long for the box
	let checks = 0; // the newest check's number; an older one's verdict is dropped
	let last = null; // the verdict shown, to show again once the answer is revealed

	const given = () => answerBytes ?? new TextEncoder().encode(e.answer.value);
	const hasAnswer = () => answerBytes !== null || e.answer.value !== '';

	// Puts `text` in the box, or its beginning where it is long, the whole kept as `bytes`
	// for the check until the box is edited.
	function showInBox(text, bytes = null) {
		const beginning = beginningOf(text);
		answerBytes = bytes ?? (beginning === null ? null : new TextEncoder().encode(text));
		e.answer.value = beginning ?? text;
		e.note.hidden = beginning === null;
		const lines = text.split('\n').length - (text.endsWith('\n') ? 1 : 0);
		e.note.textContent = beginning === null ? '' : `This answer has ${lines.toLocaleString('en')} lines: the box ` +
			'shows its beginning, and Check judges all of it until the box is edited.';
	}

	function say(text, kind) {
		e.verdict.append(element('p', { class: `verdict-${kind}` }, text));
	}

	async function check() {
		const ticket = ++checks;
		if (!state.outcome) {
			clear();
			say('The answer is checked once the program has run.', 'note');
			return;
		}
		e.verdict.dataset.state = 'checking';
		const judgement = await judge(state.program, state.outcomeBatch, given());
		if (ticket !== checks || judgement.stopped) return;
		last = judgement;
		render();
	}

	function clear() {
		last = null;
		e.verdict.replaceChildren();
		delete e.verdict.dataset.verdict;
		e.verdict.dataset.state = 'none';
	}

	function render() {
		e.verdict.replaceChildren();
		e.verdict.dataset.state = 'done';
		if (last.failure !== undefined) {
			say(`The answer could not be checked: ${last.failure}`, 'wrong');
			return;
		}
		e.verdict.dataset.verdict = last.verdict;
		if (last.status !== 0) say(`Note: ${state.program} refused this batch; its report is what it printed before it stopped.`, 'note');
		say(headlines[last.verdict](textOf(last.detail)), last.verdict.replace(' ', '-'));
		if (last.verdict !== 'wrong answer') return;
		e.verdict.append(element('ol', { class: 'findings' }, ...last.findings.map(findingItem)));
		const counted = last.findings.length;
		if (counted >= 100) say(`The first ${counted} mistakes, line by line; the verdict above counts them all.`, 'note');
	}

	function findingItem(finding) {
		const hidden = state.answerHidden;
		const item = element('li', { 'data-kind': finding.kind, 'data-line': finding.line || null },
			textOf(hidden ? finding.hint : finding.text));
		const entry = finding.entry === null ? undefined : state.outcome?.decisions?.[finding.entry];
		if (!hidden && entry) {
			const button = element('button', { type: 'button', class: 'to-entry', 'data-entry': finding.entry },
				`See the step at clock ${entry.clock}`);
			button.addEventListener('click', () => openStep(finding.entry));
			item.append(' ', button);
		}
		return item;
	}

	e.check.addEventListener('click', check);
	e.answer.addEventListener('input', () => {
		answerBytes = null;
		e.note.hidden = true;
	});
	e.file.addEventListener('change', async () => {
		const file = e.file.files[0];
		if (!file) return;
		const bytes = new Uint8Array(await file.arrayBuffer());
		showInBox(new TextDecoder().decode(bytes), bytes);
		check();
	});

	return {
		check,
		clear,
		// Once the program has run: the answer in the box, checked against its report.
		checkIfGiven: () => (hasAnswer() ? check() : clear()),
		// An answer from a link, as text: checked as its UTF-8 bytes.
		setAnswer: (text) => showInBox(text),
		// The verdict shown again, with its figures, once the answer is revealed.
		reveal: () => last && render(),
	};
}
