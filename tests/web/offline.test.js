// The site installed, used without a network, and updated: served from a
// copy of its own, so that the test can stop its server and change its files.
// Chromium installs no web app in an incognito profile: the test has a
// browser with a profile of its own.
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { test, expect } = require('@playwright/test');
const { scenarioNames, started, play, Driver } = require('./support/page');
const { serve } = require('./support/serve');

const web = path.join(__dirname, '../../layers/web');

test('installable; every expected screen without a network after one visit; a new build in use after the next reload, in place of the old', async ({ playwright }) => {
  test.setTimeout(120_000);
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'temperament-offline-'));
  const site = path.join(scratch, 'site');
  fs.cpSync(path.join(process.env.TEMPERAMENT_WEB_BUILD, 'tests/web/logged'), site, { recursive: true });
  const browser = await playwright.chromium.launchPersistentContext(path.join(scratch, 'profile'),
    { executablePath: '/usr/bin/chromium' });
  let server = await serve(site);
  try {
    const page = await browser.newPage();
    const { address } = server;
    // The cache the site's service worker keeps it in, named after its version.
    const kept = () => [`${address} ${fs.readFileSync(path.join(site, 'service-worker.js'), 'utf8').match(/const version = "(\w+)";/)[1]}`];
    const cachesAreKept = () => expect.poll(() => page.evaluate(() => caches.keys())).toEqual(kept());

    await page.goto(address);
    await started(page);
    await cachesAreKept();
    const devTools = await browser.newCDPSession(page);
    expect((await devTools.send('Page.getInstallabilityErrors')).installabilityErrors).toEqual([]);

    await server.stop();
    const failed = [];
    page.on('requestfailed', (request) => failed.push(request.url()));
    for (const name of scenarioNames()) await play(page, new Driver(page), name, { address });
    expect(failed).toEqual([]);

    // Another build: another page, and its service worker written as the
    // build writes it; then the server again, at the same address.
    const index = path.join(site, 'index.html');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('</title>', ' 2</title>'));
    execFileSync(process.execPath, [path.join(web, 'make_service_worker.mjs'), path.join(web, 'service_worker.js'), site]);
    server = await serve(site, new URL(address).port);
    await page.reload();
    expect(await page.title()).toMatch(/ 2$/);
    await cachesAreKept();
    await server.stop();
    await page.reload();
    await started(page);
    expect(await page.title()).toMatch(/ 2$/);
  } finally {
    await server.stop();
    await browser.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
});
