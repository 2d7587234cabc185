// Writes the site's service worker (service_worker.js filled in) beside the
// site's other files: the files it keeps for visits without a network (those
// of each build of PROGRAM apart, as a browser keeps only the one it runs),
// and its cache's name, made from their contents, so that another build has
// another cache.
// Usage: node make_service_worker.mjs WORKER_TEMPLATE SITE_FOLDER PROGRAM
import { createHash } from 'node:crypto';
import fs from 'node:fs';
import path from 'node:path';

const [template, site, program] = process.argv.slice(2);
if (!program) {
  console.error('usage: make_service_worker.mjs WORKER_TEMPLATE SITE_FOLDER PROGRAM');
  process.exit(2);
}
const worker = 'service-worker.js';
// Each build by its script's name, as the page registers the worker.
const programs = {
  [`${program}.js`]: [`${program}.js`, `${program}.wasm`],
  [`${program}-fallback.js`]: [`${program}-fallback.js`],
};

const files = fs.readdirSync(site).filter((name) => name !== worker && fs.statSync(path.join(site, name)).isFile()).sort();
for (const name of Object.values(programs).flat()) {
  if (!files.includes(name)) throw new Error(`${site} has no ${name}`);
}
const hash = createHash('sha256');
for (const name of files) hash.update(`${name}\n`).update(fs.readFileSync(path.join(site, name)));
const values = {
  version: JSON.stringify(hash.digest('hex').slice(0, 16)),
  // And the folder itself, which the browser asks for by the site's address.
  shared: JSON.stringify(['./', ...files.filter((name) => !Object.values(programs).flat().includes(name))]),
  programs: JSON.stringify(programs),
};
const text = fs.readFileSync(template, 'utf8').replace(/\{\{(\w+)\}\}/g, (_, key) => {
  if (!(key in values)) throw new Error(`${template}: nothing to fill in for {{${key}}}`);
  return values[key];
});
fs.writeFileSync(path.join(site, worker), text);
