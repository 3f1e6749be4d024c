// A static server for the built page on this machine alone:
//   node web/serve.mjs [DIR] [PORT]     (build-web/dist, 8421; PORT 0 picks a free one)
// Compresses what a browser would get compressed from a real host, so the figures measured
// through it are a host's. Also imported by the browser test and the benchmark.
import { createServer } from 'node:http';
import { readFile } from 'node:fs/promises';
import { extname, join, normalize, resolve } from 'node:path';
import { gzipSync } from 'node:zlib';
import { fileURLToPath } from 'node:url';

const kTypes = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript; charset=utf-8', '.mjs': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8', '.wasm': 'application/wasm', '.ttf': 'font/ttf', '.svg': 'image/svg+xml',
  '.txt': 'text/plain; charset=utf-8', '.sf2': 'application/octet-stream', '.json': 'application/json',
};
const kCompressed = new Set(['.html', '.js', '.mjs', '.css', '.wasm', '.ttf', '.svg', '.txt', '.json']);

export function serve(dir, port = 0) {
  const root = resolve(dir);
  const gzipped = new Map();
  const server = createServer(async (request, response) => {
    let path = normalize(decodeURIComponent(new URL(request.url, 'http://localhost').pathname));
    if (path.endsWith('/')) path += 'index.html';
    const file = join(root, path);
    if (!file.startsWith(root)) return response.writeHead(403).end();
    let body;
    try {
      body = await readFile(file);
    } catch {
      return response.writeHead(404).end('not found');
    }
    const type = extname(file);
    const headers = { 'Content-Type': kTypes[type] || 'application/octet-stream', 'Cache-Control': 'no-cache' };
    if (kCompressed.has(type) && /\bgzip\b/.test(request.headers['accept-encoding'] || '')) {
      if (!gzipped.has(file)) gzipped.set(file, gzipSync(body, { level: 9 }));
      body = gzipped.get(file);
      headers['Content-Encoding'] = 'gzip';
    }
    headers['Content-Length'] = body.length;
    response.writeHead(200, headers).end(request.method === 'HEAD' ? undefined : body);
  });
  return new Promise((done) => server.listen(port, '127.0.0.1', () => done(server)));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const dir = process.argv[2] || 'build-web/dist';
  const server = await serve(dir, Number(process.argv[3] ?? 8421));
  console.log(`Kvat: http://localhost:${server.address().port}/ (Ctrl+C stops)`);
}
