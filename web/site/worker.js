// Runs one program, named in the query string, away from the page: a batch that takes long
// keeps the page responsive, and stopping it is ending this worker.
//
// Each message is {id, bytes}, the batch as the program's standard input; each answer is
// {id, json}, the program's outcome as its glue writes it, or {id, failure} when the
// program itself failed (ran out of memory, say), after which this worker is spent. A
// long run of priority_sched also posts {id, progress} now and then while it goes on:
// the glue tags each point with the run in self.schedRunId.

const names = ['priority_sched', 'srtf_sched', 'fcfs_sched', 'fcfs_fixed', 'sum_cases'];
const program = new URLSearchParams(self.location.search).get('program');

const loaded = names.includes(program)
	? import(`./${program}.js`).then((module) => module.default())
	: Promise.reject(new Error(`no program ${program}`));

function run(instance, bytes) {
	const batch = instance._malloc(bytes.length + 1);
	instance.HEAPU8.set(bytes, batch);
	const result = instance._sched_run(batch, bytes.length);
	instance._free(batch);
	// The memory may have grown during the run: only the current view sees all of it.
	const heap = instance.HEAPU8;
	return new TextDecoder().decode(heap.subarray(result, heap.indexOf(0, result)));
}

self.onmessage = async ({ data: { id, bytes } }) => {
	try {
		const instance = await loaded;
		self.schedRunId = id;
		self.postMessage({ id, json: run(instance, bytes) });
	} catch (error) {
		self.postMessage({ id, failure: String(error && error.message ? error.message : error) });
		self.close();
	}
};
