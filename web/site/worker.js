// Runs one program, named in the query string, away from the page: a batch that takes long
// keeps the page responsive, and stopping it is ending this worker. Checking an answer and
// making an exercise happen here too, in the program's own glue, so that a huge answer
// never holds up the page either.
//
// Each message is {id, bytes} to run the batch (the program's standard input), {id,
// bytes, answer} to judge the answer's bytes against the batch's report, or {id,
// exercise} to make an exercise's batch. Each answer is {id, json}, the glue's JSON text,
// or {id, failure} when the program itself failed (ran out of memory, say), after which
// this worker is spent. A long run of priority_sched also posts {id, progress} now and
// then while it goes on: the glue tags each point with the run in self.schedRunId.

const names = ['priority_sched', 'srtf_sched', 'fcfs_sched', 'fcfs_fixed', 'sum_cases'];
const program = new URLSearchParams(self.location.search).get('program');

const loaded = names.includes(program)
	? import(`./${program}.js`).then((module) => module.default())
	: Promise.reject(new Error(`no program ${program}`));

// The bytes in the module's memory, for the length of one call.
function withBytes(instance, bytes, use) {
	const at = instance._malloc(bytes.length + 1);
	instance.HEAPU8.set(bytes, at);
	try {
		return use(at, bytes.length);
	} finally {
		instance._free(at);
	}
}

// The JSON text the glue returned. The memory may have grown during the call: only the
// current view sees all of it.
function textAt(instance, at) {
	const heap = instance.HEAPU8;
	return new TextDecoder().decode(heap.subarray(at, heap.indexOf(0, at)));
}

function answer(instance, { bytes, answer: given, exercise }) {
	if (exercise) {
		const { withPriority, seed, n, arrival, burst, priority, ties } = exercise;
		return textAt(instance, instance._sched_exercise(withPriority ? 1 : 0, seed, n, ...arrival, ...burst, ...priority, ties ? 1 : 0));
	}
	return withBytes(instance, bytes, (batch, size) => (given
		? withBytes(instance, given, (text, length) => textAt(instance, instance._sched_judge(batch, size, text, length)))
		: textAt(instance, instance._sched_run(batch, size))));
}

self.onmessage = async ({ data }) => {
	const { id } = data;
	try {
		const instance = await loaded;
		self.schedRunId = id;
		self.postMessage({ id, json: answer(instance, data) });
	} catch (error) {
		self.postMessage({ id, failure: String(error && error.message ? error.message : error) });
		self.close();
	}
};
