// The site as a teacher hosts it, in every engine: unpacked into a sub-folder
// of someone else's web space (served from a copy, so that the test can stop
// its server and change its files), played there, used without a network,
// and updated. The site is the web build's, or the one TEMPERAMENT_SITE
// names (the release's unpacked archive).
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { expect } = require('@playwright/test');
const { test } = require('./support/engines');
const { site, subFolder, scenarioNames, started, play, Driver } = require('./support/page');
const { serve } = require('./support/serve');

const web = path.join(__dirname, '../../layers/web');

test('from a sub-folder: every expected screen, again without a network after one visit; a new build in use after the next reload, in place of the old', async ({ page }) => {
  test.setTimeout(180_000);
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'temperament-offline-'));
  const copy = path.join(scratch, subFolder);
  fs.cpSync(site(), copy, { recursive: true });
  let server = await serve(scratch);
  try {
    const address = new URL(subFolder, server.address).href;
    // The cache the site's service worker keeps it in, named after its
    // version; the worker serves the page once it controls it.
    const kept = () => [`${address} ${fs.readFileSync(path.join(copy, 'service-worker.js'), 'utf8').match(/const version = "(\w+)";/)[1]}`];
    const cachesAreKept = () => expect.poll(() => page.evaluate(() => (navigator.serviceWorker.controller ? caches.keys() : [])),
      { timeout: 30_000 }).toEqual(kept());
    const title = () => page.evaluate(() => document.title);

    for (const name of scenarioNames()) await play(page, new Driver(page), name, { address });
    await cachesAreKept();

    await server.stop();
    for (const name of scenarioNames()) await play(page, new Driver(page), name, { address });

    // Another build: another page, and its service worker written as the
    // build writes it; then the server again, at the same address.
    const index = path.join(copy, 'index.html');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('</title>', ' 2</title>'));
    execFileSync(process.execPath, [path.join(web, 'make_service_worker.mjs'), path.join(web, 'service_worker.js'), copy,
      'temperament']);
    server = await serve(scratch, new URL(server.address).port);
    await page.goto(address);
    expect(await title()).toMatch(/ 2$/);
    await cachesAreKept();
    await server.stop();
    await page.goto(address);
    await started(page);
    expect(await title()).toMatch(/ 2$/);
  } finally {
    await server.stop();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
});
