// Serves a folder over HTTP on 127.0.0.1 (WebAssembly is not loaded from
// file:// pages) and prints its address. Any static web server does as well;
// this one needs nothing but Node, which the web build uses anyway.
// Usage: node scripts/support/serve.mjs FOLDER [PORT]   (PORT 0, the default: any free one)
import fs from 'node:fs/promises';
import http from 'node:http';
import path from 'node:path';

const [folder, port = '0'] = process.argv.slice(2);
if (!folder) {
  console.error('usage: serve.mjs FOLDER [PORT]');
  process.exit(2);
}
const root = path.resolve(folder);
const types = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.mjs': 'text/javascript; charset=utf-8',
  '.wasm': 'application/wasm',
  '.css': 'text/css; charset=utf-8',
  '.png': 'image/png',
  '.ico': 'image/x-icon',
  '.webmanifest': 'application/manifest+json',
};

const server = http.createServer(async (request, response) => {
  let file;
  try {
    file = path.join(root, decodeURIComponent(new URL(request.url, 'http://localhost').pathname));
  } catch {
    response.writeHead(400).end();
    return;
  }
  if (file !== root && !file.startsWith(root + path.sep)) {
    response.writeHead(403).end();
    return;
  }
  try {
    if ((await fs.stat(file)).isDirectory()) file = path.join(file, 'index.html');
    const body = await fs.readFile(file);
    response.writeHead(200, {
      'Content-Type': types[path.extname(file)] ?? 'application/octet-stream',
      'Cache-Control': 'no-cache',
    });
    response.end(body);
  } catch {
    response.writeHead(404).end();
  }
});
server.listen(Number(port), '127.0.0.1', () => {
  console.log(`http://127.0.0.1:${server.address().port}/`);
});
