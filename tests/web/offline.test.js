// The site used without a network, and updated, in every engine: served from
// a copy of its own, so that the test can stop its server and change its
// files.
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { expect } = require('@playwright/test');
const { test } = require('./support/engines');
const { scenarioNames, started, play, Driver } = require('./support/page');
const { serve } = require('./support/serve');

const web = path.join(__dirname, '../../layers/web');

test('every expected screen without a network after one visit; a new build in use after the next reload, in place of the old', async ({ page }) => {
  test.setTimeout(180_000);
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'temperament-offline-'));
  const site = path.join(scratch, 'site');
  fs.cpSync(path.join(process.env.TEMPERAMENT_WEB_BUILD, 'tests/web/logged'), site, { recursive: true });
  let server = await serve(site);
  try {
    const { address } = server;
    // The cache the site's service worker keeps it in, named after its
    // version; the worker serves the page once it controls it.
    const kept = () => [`${address} ${fs.readFileSync(path.join(site, 'service-worker.js'), 'utf8').match(/const version = "(\w+)";/)[1]}`];
    const cachesAreKept = () => expect.poll(() => page.evaluate(() => (navigator.serviceWorker.controller ? caches.keys() : [])),
      { timeout: 30_000 }).toEqual(kept());
    const title = () => page.evaluate(() => document.title);

    await page.goto(address);
    await started(page);
    await cachesAreKept();

    await server.stop();
    for (const name of scenarioNames()) await play(page, new Driver(page), name, { address });

    // Another build: another page, and its service worker written as the
    // build writes it; then the server again, at the same address.
    const index = path.join(site, 'index.html');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('</title>', ' 2</title>'));
    execFileSync(process.execPath, [path.join(web, 'make_service_worker.mjs'), path.join(web, 'service_worker.js'), site,
      'logged_temperament']);
    server = await serve(site, new URL(address).port);
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
