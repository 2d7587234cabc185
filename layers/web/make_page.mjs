// Writes the browser version's page into a folder: index.html with the
// program's first screen in it (painted before any script runs) and the
// script that starts the program (start.js, minified, for PROGRAM), the web
// app manifest and the favicon, from what the program itself writes
// (first_screen.cpp, WebAssembly for Node). The templates are index.html and
// manifest.webmanifest as CMake configured them; "{{name}}" is filled here.
// Needs Debian's terser (node-terser) on NODE_PATH.
// Usage: node make_page.mjs FIRST_SCREEN_JS TEMPLATE_FOLDER SITE_FOLDER START_JS PROGRAM
import { createHash } from 'node:crypto';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const [firstScreenScript, templates, site, startScript, program] = process.argv.slice(2);
if (!program) {
  console.error('usage: make_page.mjs FIRST_SCREEN_JS TEMPLATE_FOLDER SITE_FOLDER START_JS PROGRAM');
  process.exit(2);
}
const require = createRequire(import.meta.url);

// Emscripten would fetch() the .wasm by its path, which Node's fetch does not take.
const wasmBinary = fs.readFileSync(firstScreenScript.replace(/\.js$/, '.wasm'));
const screen = (await require(path.resolve(firstScreenScript))({ wasmBinary })).firstScreen();
if (screen.error) throw new Error(`the program's first screen cannot be written: ${screen.error}`);

// The start, in the oldest syntax the site supports, as small as it can be.
const { minify } = require('terser');
const start = (await minify(fs.readFileSync(startScript, 'utf8').replaceAll('{{program}}', program),
  { ecma: 5, toplevel: true })).code;
// The page's policy allows its one style element and its one script by the
// hashes of their texts.
const hash = (text) => `'sha256-${createHash('sha256').update(text).digest('base64')}'`;
const values = { ...screen, styleHash: hash(screen.style), start, startHash: hash(start) };
function fill(name) {
  const template = fs.readFileSync(path.join(templates, name), 'utf8');
  const text = template.replace(/\{\{(\w+)\}\}/g, (_, key) => {
    if (typeof values[key] !== 'string') throw new Error(`${name}: nothing to fill in for {{${key}}}`);
    return values[key];
  });
  fs.writeFileSync(path.join(site, name), text);
}

fs.mkdirSync(site, { recursive: true });
fill('index.html');
fill('manifest.webmanifest');
fs.writeFileSync(path.join(site, 'favicon.ico'), screen.icon);
