// The site installed and used without a network: each test serves a site of
// its own, so that it can stop its server. Chromium installs no web app in
// an incognito profile, so these tests share a browser with a profile of
// its own.
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { test, expect } = require('@playwright/test');
const { scenarioNames, started, play, Driver } = require('./support/page');
const { serve } = require('./support/serve');

const build = process.env.TEMPERAMENT_WEB_BUILD;

test.describe.configure({ mode: 'serial' });
let profile;
let browser;
test.beforeAll(async ({ playwright }) => {
  profile = fs.mkdtempSync(path.join(os.tmpdir(), 'temperament-profile-'));
  browser = await playwright.chromium.launchPersistentContext(profile, { executablePath: '/usr/bin/chromium' });
});
test.afterAll(async () => {
  await browser?.close();
  fs.rmSync(profile, { recursive: true, force: true });
});

// Opens the site and waits until its service worker is active, the site kept.
async function visit(page, address) {
  await page.goto(address);
  await started(page);
  await page.evaluate(() => navigator.serviceWorker.ready);
}

test('is installable, and after one visit plays every expected screen without a network', async () => {
  const page = await browser.newPage();
  const server = await serve(path.join(build, 'tests/web/logged'));
  try {
    await visit(page, server.address);
    const devTools = await browser.newCDPSession(page);
    expect((await devTools.send('Page.getInstallabilityErrors')).installabilityErrors).toEqual([]);
  } finally {
    await server.stop();
  }
  const failed = [];
  page.on('requestfailed', (request) => failed.push(request.url()));
  for (const name of scenarioNames()) await play(page, new Driver(page), name, { address: server.address });
  expect(failed).toEqual([]);
  await page.close();
});

// The name of the cache that the site's service worker keeps it in.
function cacheName(site, address) {
  const [, version] = fs.readFileSync(path.join(site, 'service-worker.js'), 'utf8').match(/const version = "(\w+)";/);
  return `${address} ${version}`;
}
const cachesAre = (page, names) => expect.poll(() => page.evaluate(() => caches.keys())).toEqual(names);

test('a new build is in use after the next reload, and replaces the kept site', async () => {
  const page = await browser.newPage();
  const site = fs.mkdtempSync(path.join(os.tmpdir(), 'temperament-site-'));
  fs.cpSync(path.join(build, 'site'), site, { recursive: true });
  let server = await serve(site);
  try {
    await visit(page, server.address);
    await cachesAre(page, [cacheName(site, server.address)]);

    // Another build: another page, and its service worker written as the
    // build writes it.
    const index = path.join(site, 'index.html');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('</title>', ' 2</title>'));
    execFileSync(process.execPath, [path.join(__dirname, '../../layers/web/make_service_worker.mjs'),
      path.join(__dirname, '../../layers/web/service_worker.js'), site]);
    await page.reload();
    expect(await page.title()).toMatch(/ 2$/);
    await cachesAre(page, [cacheName(site, server.address)]);

    await server.stop();
    server = null;
    await page.reload();
    await started(page);
    expect(await page.title()).toMatch(/ 2$/);
  } finally {
    await server?.stop();
    fs.rmSync(site, { recursive: true, force: true });
  }
  await page.close();
});
