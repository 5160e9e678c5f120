// The Steps view: the program's account of its run, one entry at a time, with the ready
// queue after each ordering and the processes that tied highlighted, and the chart's
// cursor at the entry's clock.

import { element } from './dom.js';
import { bytesOf, textOf } from './runner.js';
import { saveBlob } from './export.js';

// The account as the console's --explain prints it: "CLOCK: TEXT", one line per entry.
export function accountOf(decisions) {
	return decisions.map((entry) => `${entry.clock}: ${entry.text}\n`).join('');
}

// When an entry happens: its clock, or the stretch it covers.
function timeOf(entry) {
	return typeof entry.end === 'number' && entry.end !== entry.clock ? `${entry.clock}–${entry.end}` : `${entry.clock}`;
}

const orderings = [
	['arrival_order', 'After the arrival ordering'],
	['key_order', 'After the key ordering (the one that runs first)'],
	['order', 'Order'],
	['processes', 'Processes'],
];

const ordered = (entry) => ['arrival_order', 'key_order', 'order'].some((field) => Array.isArray(entry[field]));

// The queue an entry is shown with: its own ordering, or else the latest one before it (a
// tie is about the ordering just made), or else the processes it names.
function queueOf(decisions, index) {
	const entry = decisions[index];
	if (ordered(entry)) return entry;
	for (let i = index - 1; i >= 0; i--) if (ordered(decisions[i])) return decisions[i];
	return Array.isArray(entry.processes) ? entry : null;
}

// The records that tie at the entry's clock.
function tiedAt(decisions, index) {
	const clock = decisions[index].clock;
	const tied = new Set();
	for (const entry of decisions) {
		if (entry.kind === 'tie' && entry.clock === clock) for (const record of entry.processes ?? []) tied.add(record);
	}
	return tied;
}

// `view`: {position, clock, sentence, queues} elements; `nameOf(record)`: a record's name as
// shown. Returns the clock of the entry, for the chart's cursor.
function showEntry(view, decisions, index, nameOf) {
	const entry = decisions[index];
	view.position.textContent = `Entry ${index + 1} of ${decisions.length}`;
	view.clock.textContent = `${timeOf(entry)}:`;
	view.sentence.textContent = entry.text;
	const tied = tiedAt(decisions, index);
	const source = queueOf(decisions, index);
	view.queues.replaceChildren();
	if (!source) return entry.clock;
	if (source !== entry) view.queues.append(element('p', { class: 'note' }, `The order as it stands since ${source.clock}:`));
	for (const [field, title] of orderings) {
		if (!Array.isArray(source[field])) continue;
		const ready = field === 'arrival_order' ? source.ready : undefined;
		view.queues.append(queue(title, source[field], { tied, ready, runner: source.process, listed: source.listed, nameOf }));
	}
	return entry.clock;
}

function queue(title, records, { tied, ready, runner, listed, nameOf }) {
	const list = element('ol');
	records.forEach((record, position) => {
		const notes = [];
		const classes = [];
		if (record === runner) {
			notes.push('runs');
			classes.push('runner');
		}
		if (tied.has(record)) {
			notes.push('tied');
			classes.push('tied');
		}
		if (ready !== undefined && position >= ready) {
			notes.push('not arrived');
			classes.push('not-arrived');
		}
		const item = element('li', { class: classes.join(' ') || null }, nameOf(record));
		if (notes.length > 0) item.append(element('small', {}, ` (${notes.join(', ')})`));
		list.append(item);
	});
	const box = element('div', { class: 'queue' }, element('h3', {}, title), list);
	if (listed !== undefined && listed > records.length) {
		box.append(element('p', { class: 'note' }, `The first ${records.length} of ${listed}.`));
	}
	return box;
}

// `elements`: the section's parts; `placeCursor(clock)` marks the clock on the chart.
// The steps are of the outcome on screen, state.outcome.
export function stepsView(elements, { state, placeCursor }) {
	const e = elements;
	let index = 0;
	const decisions = () => state.outcome?.decisions ?? [];

	// A record's name as the queues show it; a name that several records share, with its record.
	function nameOfRecord(record) {
		const records = state.outcome?.records ?? [];
		const found = records[record - 1];
		if (!found) return `record ${record}`;
		const shared = records.some((other) => other !== found && other.name === found.name);
		return shared ? `${textOf(found.name)} #${record}` : textOf(found.name);
	}

	function goTo(wanted) {
		const all = decisions();
		if (all.length === 0) return;
		index = Math.min(Math.max(wanted, 0), all.length - 1);
		// An entry's sentence holds bytes of the batch's names: shown as a UTF-8 console would.
		const readable = all.map((entry) => ({ ...entry, text: textOf(entry.text) }));
		const clock = showEntry(e, readable, index, nameOfRecord);
		// aria-disabled, not disabled: a disabled button would drop the focus, and the arrow keys with it.
		for (const button of [e.first, e.back]) button.setAttribute('aria-disabled', String(index === 0));
		for (const button of [e.next, e.last]) button.setAttribute('aria-disabled', String(index === all.length - 1));
		e.steps.dataset.index = String(index);
		placeCursor(clock);
	}

	function clear() {
		e.steps.hidden = true;
		e.note.textContent = '';
	}

	// The Steps of a run whose program gave its account.
	function show(outcome) {
		clear();
		if (outcome.status !== 0) return;
		if (!outcome.decisions) {
			e.note.textContent = 'No steps: this build of the program does not give its account of the run.';
			return;
		}
		if (outcome.decisions.length === 0) {
			e.note.textContent = 'No steps: there is nothing to decide.';
			return;
		}
		e.note.textContent = outcome.decisionsCutShort
			? 'The account stops early, as its last entry says; the report is complete.'
			: '';
		e.steps.hidden = false;
		goTo(0);
	}

	// Opens entry `wanted` for a reader who came from elsewhere on the page.
	function open(wanted) {
		goTo(wanted);
		e.section.scrollIntoView({ block: 'nearest' });
		e.next.focus();
	}

	e.steps.addEventListener('keydown', (event) => {
		const moves = { ArrowLeft: -1, ArrowUp: -1, ArrowRight: 1, ArrowDown: 1 };
		if (event.key in moves) goTo(index + moves[event.key]);
		else if (event.key === 'Home') goTo(0);
		else if (event.key === 'End') goTo(decisions().length - 1);
		else return;
		event.preventDefault();
	});
	e.first.addEventListener('click', () => goTo(0));
	e.back.addEventListener('click', () => goTo(index - 1));
	e.next.addEventListener('click', () => goTo(index + 1));
	e.last.addEventListener('click', () => goTo(decisions().length - 1));
	e.save.addEventListener('click', () => {
		saveBlob(`${state.program}.account.txt`, new Blob([bytesOf(accountOf(decisions()))], { type: 'text/plain' }));
	});

	// The cursor of a chart drawn anew, at the entry shown.
	const cursorAgain = () => {
		if (!e.steps.hidden) placeCursor(decisions()[index]?.clock ?? null);
	};

	return { show, clear, open, cursorAgain };
}
