// Writes the browser version's page into a folder: index.html with the
// program's first screen in it (painted before any script runs), the web
// app manifest and the favicon, from what the program itself writes
// (first_screen.cpp, WebAssembly for Node). The templates are index.html and
// manifest.webmanifest as CMake configured them; "{{name}}" is filled here.
// Usage: node make_page.mjs FIRST_SCREEN_JS TEMPLATE_FOLDER SITE_FOLDER
import { createHash } from 'node:crypto';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const [firstScreenScript, templates, site] = process.argv.slice(2);
if (!site) {
  console.error('usage: make_page.mjs FIRST_SCREEN_JS TEMPLATE_FOLDER SITE_FOLDER');
  process.exit(2);
}

// Emscripten would fetch() the .wasm by its path, which Node's fetch does not take.
const wasmBinary = fs.readFileSync(firstScreenScript.replace(/\.js$/, '.wasm'));
const program = await createRequire(import.meta.url)(path.resolve(firstScreenScript))({ wasmBinary });
const screen = program.firstScreen();
if (screen.error) throw new Error(`the program's first screen cannot be written: ${screen.error}`);

// The page's policy allows its one style element by the hash of its text.
const values = {
  ...screen,
  styleHash: `'sha256-${createHash('sha256').update(screen.style).digest('base64')}'`,
};
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
