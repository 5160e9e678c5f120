// The Steps view: the program's account of its run, one entry at a time, with the ready
// queue after each ordering and the processes that tied highlighted.

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
export function showEntry(view, decisions, index, nameOf) {
	const entry = decisions[index];
	view.position.textContent = `Entry ${index + 1} of ${decisions.length}`;
	view.clock.textContent = `${timeOf(entry)}:`;
	view.sentence.textContent = entry.text;
	const tied = tiedAt(decisions, index);
	const source = queueOf(decisions, index);
	view.queues.replaceChildren();
	if (!source) return entry.clock;
	if (source !== entry) {
		const note = document.createElement('p');
		note.className = 'note';
		note.textContent = `The order as it stands since ${source.clock}:`;
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
	const heading = document.createElement('h3');
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
