// A static file server for the site on 127.0.0.1, for the browser tests: any free port,
// the types a browser insists on for modules and WebAssembly, nothing outside the root.

import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, sep } from 'node:path';

const types = {
	'.html': 'text/html; charset=utf-8',
	'.js': 'text/javascript; charset=utf-8',
	'.css': 'text/css; charset=utf-8',
	'.wasm': 'application/wasm',
	'.txt': 'text/plain; charset=utf-8',
	'.svg': 'image/svg+xml',
	'.webmanifest': 'application/manifest+json',
};

// The policy of the page's own <meta>, sent as a header too, as a server of the site may.
export const policy = "default-src 'self'; script-src 'self' 'wasm-unsafe-eval'; style-src 'self'; " +
	"img-src 'self' data: blob:; connect-src 'self'; worker-src 'self'; manifest-src 'self'; object-src 'none'; " +
	"base-uri 'none'; form-action 'none'";

// Serves `root` until close(); resolves with {origin, close}.
export function serve(root) {
	const server = createServer(async (request, response) => {
		const path = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
		const file = normalize(join(root, path.endsWith('/') ? `${path}index.html` : path));
		if (!file.startsWith(normalize(root) + sep)) {
			response.writeHead(403).end();
			return;
		}
		try {
			const body = await readFile(file);
			response.writeHead(200, {
				'Content-Type': types[extname(file)] ?? 'application/octet-stream',
				'Content-Security-Policy': policy,
			}).end(body);
		} catch {
			response.writeHead(404).end();
		}
	});
	return new Promise((resolve, reject) => {
		server.once('error', reject);
		server.listen(0, '127.0.0.1', () => {
			resolve({
				origin: `http://127.0.0.1:${server.address().port}`,
				close: () => new Promise((done) => {
					server.close(done);
					server.closeAllConnections();
				}),
			});
		});
	});
}
