// Keeps the site for use without a network, as in a classroom with bad Wi-Fi: every file of
// the site is stored at the first visit, and a request the network cannot answer is
// answered from the store. While the network answers, its answer is shown and stored, so
// that the page is never older than the last visit.

const store = 'sched-suite-site';
const programs = ['priority_sched', 'srtf_sched', 'fcfs_sched', 'fcfs_fixed', 'sum_cases'];
// Every file of the site but this one; the browser tests check the list against the build.
const files = [
	'./', 'index.html', 'style.css', 'manifest.webmanifest', 'icon.svg',
	'app.js', 'address.js', 'cases.js', 'chart.js', 'check.js', 'compare.js', 'dom.js', 'exercise.js', 'export.js',
	'input.js', 'output.js', 'programs.js', 'runner.js', 'sheet.js', 'state.js', 'steps.js', 'table.js', 'worker.js',
	// A worker's address names its program; the worker reads the name from its own address.
	...programs.flatMap((name) => [`worker.js?program=${name}`, `${name}.js`, `${name}.wasm`, `examples/${name}.txt`]),
];

self.addEventListener('install', (event) => {
	event.waitUntil(caches.open(store).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
	event.waitUntil(self.clients.claim());
});

async function answer(request) {
	const cache = await caches.open(store);
	try {
		const response = await fetch(request);
		if (response.ok) await cache.put(request, response.clone());
		return response;
	} catch (error) {
		const stored = await cache.match(request);
		if (stored) return stored;
		throw error;
	}
}

self.addEventListener('fetch', (event) => {
	const { request } = event;
	if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
	event.respondWith(answer(request));
});
