// Runs a batch through a program in its worker and reads the outcome; checks an answer and
// makes an exercise there too.

const workers = new Map();

function stopWorker(program) {
	const entry = workers.get(program);
	if (entry) {
		entry.worker.terminate();
		if (entry.settle) entry.settle({ stopped: true });
		workers.delete(program);
	}
}

let nextId = 1;

// Sends `message` to the program's worker and resolves with the JSON text it answers, as
// {json}; or with {failure} when the program could not finish; or with {stopped: true}
// when a newer request or stop() ended it first. A program does one thing at a time: a
// new request ends the one still going.
function ask(program, message, onProgress) {
	let entry = workers.get(program);
	if (entry && entry.settle) {
		stopWorker(program);
		entry = undefined;
	}
	if (!entry) {
		const url = new URL('worker.js', import.meta.url);
		url.searchParams.set('program', program);
		entry = { worker: new Worker(url, { type: 'module' }), settle: null };
		workers.set(program, entry);
	}
	const id = nextId++;
	const current = entry;
	return new Promise((resolve) => {
		current.settle = resolve;
		current.worker.onmessage = ({ data }) => {
			if (data.id !== id) return;
			// A progress point of a long run is no answer.
			if (data.progress !== undefined) {
				onProgress?.(data.progress);
				return;
			}
			current.settle = null;
			if (data.failure !== undefined) workers.delete(program);
			resolve(data);
		};
		current.worker.onerror = (event) => {
			event.preventDefault();
			workers.delete(program);
			current.settle = null;
			resolve({ failure: event.message || 'the program could not be loaded' });
		};
		current.worker.postMessage({ id, ...message });
	});
}

// A batch as the bytes a program reads: text as UTF-8, bytes as they are.
const bytesOfBatch = (batch) => (typeof batch === 'string' ? new TextEncoder().encode(batch) : batch);

// Runs `batch` (text, or bytes) and resolves with the outcome readOutcome makes, report and
// error as the exact bytes the program wrote, or with {failure} or {stopped} as ask()
// does. A long run tells `onProgress`, if given, how far it has come: {clock,
// last_arrival, finished, processes}.
export async function run(program, batch, onProgress) {
	const answer = await ask(program, { bytes: bytesOfBatch(batch) }, onProgress);
	return answer.json === undefined ? answer : readOutcome(answer.json);
}

// The program's judgement of `answer` (bytes) against its report of `batch`, as the
// console's checker gives it: {status, verdict, detail, first_difference, findings}, each
// finding {kind, line, expected_line, record, ahead, text, hint, entry}, its texts as
// the bytes the glue wrote; or {failure} or {stopped}.
export async function judge(program, batch, answer) {
	const reply = await ask(program, { bytes: bytesOfBatch(batch), answer });
	return reply.json === undefined ? reply : JSON.parse(reply.json);
}

// The batch of exercise `seed` for `program`, made by the suite's own generator:
// {batch} or {error}, or {failure} or {stopped}.
export async function exerciseBatch(program, seed, options) {
	const exercise = { withPriority: program === 'priority_sched', seed, ...options };
	const reply = await ask(program, { exercise });
	return reply.json === undefined ? reply : JSON.parse(reply.json);
}

export function stop(program) {
	stopWorker(program);
}

// The glue writes every byte of the program's output as one character of the same code, so
// that nothing is lost on the way: this turns such a string back into the bytes.
export function bytesOf(byteString) {
	return Uint8Array.from(byteString, (c) => c.charCodeAt(0));
}

// Bytes as a UTF-8 console shows them: a byte that is no part of a character shows as �.
export function textOf(byteString) {
	return new TextDecoder().decode(bytesOf(byteString));
}

// One shape for the page whatever the glue's: the report and messages as bytes, and for a
// scheduler's accepted batch the document's records, segments and decisions. The glue of an
// older build has no document: its trace and records stand in, and there are no decisions.
function readOutcome(json) {
	const outcome = JSON.parse(json);
	const document = outcome.document ?? null;
	const trace = outcome.trace ?? null;
	const segments = document?.segments ?? trace?.segments ?? null;
	return {
		status: outcome.status,
		error: outcome.error ?? '',
		report: document?.report ?? outcome.report ?? '',
		document,
		records: document ? (document.records_cut_short ? null : document.records) : (outcome.records ?? null),
		segments: segments?.map(([record, start, end]) => ({ record, start, end })) ?? null,
		segmentsCutShort: Boolean(document?.segments_cut_short ?? trace?.cut_short),
		finalPhaseStart: document?.final_phase_start ?? trace?.final_phase_start ?? null,
		decisions: document?.decisions ?? null,
		decisionsCutShort: Boolean(document?.decisions_cut_short),
	};
}
