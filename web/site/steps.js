// The Steps view: the program's account of its run, one entry at a time, with the ready
// queue after each ordering and the processes that tied highlighted.

// An entry as the console's --explain prints it: "CLOCK: TEXT", or "CLOCK-END: TEXT" for
// an entry that covers a stretch of time.
export function accountLine(entry) {
	const stretch = entry.end !== undefined && entry.end !== null && (entry.kind === 'idle' || entry.end - entry.clock > 1);
	return `${entry.clock}${stretch ? `-${entry.end}` : ''}: ${entry.text}`;
}

export function accountOf(decisions) {
	return decisions.map((entry) => `${accountLine(entry)}\n`).join('');
}

const orderings = [
	['arrival_order', 'After the arrival ordering'],
	['key_order', 'After the key ordering (the one that runs first)'],
	['order', 'Order'],
	['processes', 'Processes'],
];

// The step an entry belongs to: the entry itself, or the nearest step before it at the same
// clock or earlier, whose queue still stands.
function stepOf(decisions, index) {
	for (let i = index; i >= 0; i--) if (decisions[i].kind === 'step') return decisions[i];
	return null;
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
export function showEntry(view, decisions, index, nameOf) {
	const entry = decisions[index];
	view.position.textContent = `Entry ${index + 1} of ${decisions.length}`;
	view.clock.textContent = accountLine(entry).slice(0, accountLine(entry).indexOf(':'));
	view.sentence.textContent = entry.text;
	const tied = tiedAt(decisions, index);
	const step = stepOf(decisions, index);
	const source = orderings.some(([field]) => Array.isArray(entry[field])) ? entry : step;
	view.queues.replaceChildren();
	if (!source) return entry.clock;
	if (source !== entry) {
		const note = document.createElement('p');
		note.className = 'note';
		note.textContent = `The queue as at the step at ${source.clock}:`;
		view.queues.append(note);
	}
	for (const [field, title] of orderings) {
		if (!Array.isArray(source[field])) continue;
		const ready = field === 'arrival_order' ? source.ready : undefined;
		view.queues.append(queue(title, source[field], { tied, ready, runner: source.process, listed: source.listed, nameOf }));
	}
	return entry.clock;
}

function queue(title, records, { tied, ready, runner, listed, nameOf }) {
	const box = document.createElement('div');
	box.className = 'queue';
	const heading = document.createElement('h4');
	heading.textContent = title;
	const list = document.createElement('ol');
	records.forEach((record, position) => {
		const item = document.createElement('li');
		item.textContent = nameOf(record);
		const notes = [];
		if (record === runner) notes.push('runs');
		if (tied.has(record)) {
			item.classList.add('tied');
			notes.push('tied');
		}
		if (ready !== undefined && position >= ready) {
			item.classList.add('not-arrived');
			notes.push('not arrived');
		}
		if (record === runner) item.classList.add('runner');
		if (notes.length > 0) {
			const small = document.createElement('small');
			small.textContent = ` (${notes.join(', ')})`;
			item.append(small);
		}
		list.append(item);
	});
	box.append(heading, list);
	if (listed !== undefined && listed > records.length) {
		const more = document.createElement('p');
		more.className = 'note';
		more.textContent = `The first ${records.length} of ${listed}.`;
		box.append(more);
	}
	return box;
}
