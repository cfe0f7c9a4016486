// SPDX-License-Identifier: GPL-3.0-or-later
// The site's server, as scripts/web runs it and as any static host must
// behave: the built folder's files, compressed when the browser takes gzip,
// with the two headers that isolate the page (the engine's worker waits for
// the page's answers on shared memory, which a browser grants only then).
//
//   node web/bench/serve.mjs [folder] [port]     (defaults: build/web/site, 8080)

import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { gzipSync } from 'node:zlib';

const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.json': 'application/json',
  '.svg': 'image/svg+xml',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.webmanifest': 'application/manifest+json',
};
const compressible = new Set(['.html', '.js', '.mjs', '.css', '.wasm', '.json', '.svg', '.webmanifest']);

export const isolationHeaders = {
  'Cross-Origin-Opener-Policy': 'same-origin',
  'Cross-Origin-Embedder-Policy': 'require-corp',
  'Cross-Origin-Resource-Policy': 'same-origin',
};

// Serves `folder` on 127.0.0.1:`port` (0: any free port). Resolves to the server.
export function serve(folder, port) {
  const root = path.resolve(folder);
  const zipped = new Map();
  const server = createServer(async (request, response) => {
    try {
      const url = new URL(request.url ?? '/', 'http://localhost');
      let file = path.join(root, decodeURIComponent(url.pathname));
      if (!file.startsWith(root)) throw new Error('outside');
      if ((await stat(file)).isDirectory()) file = path.join(file, 'index.html');
      const ext = path.extname(file);
      let body = await readFile(file);
      const headers = { ...isolationHeaders, 'Content-Type': types[ext] ?? 'application/octet-stream', 'Cache-Control': 'no-cache' };
      if (compressible.has(ext) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
        if (!zipped.has(file)) zipped.set(file, gzipSync(body, { level: 9 }));
        body = zipped.get(file);
        headers['Content-Encoding'] = 'gzip';
        headers['Vary'] = 'Accept-Encoding';
      }
      headers['Content-Length'] = String(body.length);
      response.writeHead(200, headers);
      response.end(request.method === 'HEAD' ? undefined : body);
    } catch {
      response.writeHead(404, { ...isolationHeaders, 'Content-Type': 'text/plain' });
      response.end('Not found');
    }
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(port, '127.0.0.1', () => resolve(server));
  });
}

if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const here = path.dirname(fileURLToPath(import.meta.url));
  const folder = process.argv[2] ?? path.join(here, '../../build/web/site');
  const server = await serve(folder, Number(process.argv[3] ?? 8080));
  console.log(`Kickmark is served at http://127.0.0.1:${server.address().port}/`);
}
