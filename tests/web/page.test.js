// What the expected screens do not say about the page: the keyboard's native
// ways that the window takes over, copying, the icon and title, geometry and
// colours on screen at two scales, accessibility, the error report, that the
// page reaches nothing outside its own origin, and that its HTML shows the
// first screen before the program runs.
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { test, expect } = require('@playwright/test');
const { default: AxeBuilder } = require('@axe-core/playwright');
const { shipped, logged, site, subFolder, screenText, screensFolder, started, open, readPage, Driver } = require('./support/page');
const { serve } = require('./support/serve');

const source = path.join(__dirname, '../..');
const rgb = (r, g, b) => [r, g, b];

// The colours of a screenshot's pixels at CSS points of the page, decoded by
// the browser in a blank page of its own (the site's policy allows no data).
async function colours(context, png, points, scale = 1) {
  const decoder = await context.newPage();
  const result = await decoder.evaluate(async ({ base64, points, scale }) => {
    const bytes = Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));
    const bitmap = await createImageBitmap(new Blob([bytes], { type: 'image/png' }));
    const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
    const context2d = canvas.getContext('2d');
    context2d.drawImage(bitmap, 0, 0);
    return points.map(([x, y]) => [...context2d.getImageData(Math.floor(x * scale), Math.floor(y * scale), 1, 1).data.slice(0, 3)]);
  }, { base64: png.toString('base64'), points, scale });
  await decoder.close();
  return result;
}

test.describe('the shipped page', () => {
  test('is one folder: the page, the program, the manifest with its icons, the favicon, the service worker', () => {
    const site = path.join(process.env.TEMPERAMENT_WEB_BUILD, 'site');
    expect(fs.readdirSync(site).sort()).toEqual(['favicon.ico', 'icon-192.png', 'icon-512.png', 'index.html',
      'manifest.webmanifest', 'service-worker.js', 'temperament-fallback.js', 'temperament.js', 'temperament.wasm']);
  });

  // Chromium installs no web app in an incognito profile: a profile of its own.
  test('is installable from a sub-folder once its service worker keeps it', async ({ playwright }) => {
    const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'temperament-install-'));
    fs.cpSync(site(), path.join(scratch, 'web', subFolder), { recursive: true });
    const server = await serve(path.join(scratch, 'web'));
    const browser = await playwright.chromium.launchPersistentContext(path.join(scratch, 'profile'),
      { executablePath: '/usr/bin/chromium' });
    try {
      const page = await browser.newPage();
      await open(page, new URL(subFolder, server.address).href);
      await expect.poll(() => page.evaluate(() => caches.keys())).toHaveLength(1);
      const devTools = await browser.newCDPSession(page);
      expect((await devTools.send('Page.getInstallabilityErrors')).installabilityErrors).toEqual([]);
    } finally {
      await browser.close();
      await server.stop();
      fs.rmSync(scratch, { recursive: true, force: true });
    }
  });

  test('has the caption as its title and the embedded icon as its favicon', async ({ page }) => {
    await open(page, shipped());
    const { facts } = await page.evaluate(readPage);
    expect(facts.caption).toContain('Психология');
    const icon = await page.evaluate(async () => {
      const link = document.querySelector('link[rel=icon]');
      return [...new Uint8Array(await (await fetch(link.href)).arrayBuffer())];
    });
    expect(Buffer.from(icon).equals(fs.readFileSync(path.join(source, 'resources/app.ico')))).toBe(true);
  });

  test('reaches nothing outside its own origin, and its policy forbids it', async ({ page }) => {
    const requests = [];
    page.on('request', (request) => requests.push(request.url()));
    const failures = [];
    page.on('response', (response) => response.ok() || failures.push(`${response.status()} ${response.url()}`));
    await open(page, shipped());
    const driver = new Driver(page);
    for (const member of ['Option1(0)', 'Option1(1)', 'Option1(2)', 'Check1(0)']) await driver.perform(`click ${member}`);
    const origin = new URL(shipped()).origin;
    expect(requests.filter((url) => !url.startsWith(`${origin}/`) && !url.startsWith(`blob:${origin}/`))).toEqual([]);
    expect(failures).toEqual([]);
    const violated = await page.evaluate(() => new Promise((resolve) => {
      document.addEventListener('securitypolicyviolation', (event) => resolve(event.effectiveDirective));
      fetch('http://127.0.0.2:9/').then(() => resolve('fetched'), () => {});
    }));
    expect(violated).toBe('connect-src');
  });

  test('shows the window at its design size, centred, in its colours, with the picture in its border', async ({ page, context }) => {
    await open(page, shipped());
    const window = await page.locator('main').boundingBox();
    expect([window.width, window.height]).toEqual([461, 387]);
    expect(Math.abs(window.x + window.width / 2 - 400)).toBeLessThanOrEqual(1);
    expect(Math.abs(window.y + window.height / 2 - 300)).toBeLessThanOrEqual(1);
    const at = (x, y) => [window.x + x, window.y + y];
    const driver = new Driver(page);

    // A spot of the window, of the title, of an option button (right of its caption).
    const first = await colours(context, await page.screenshot(), [at(20, 150), at(82, 3), at(318, 74)]);
    expect(first).toEqual([rgb(192, 192, 255), rgb(255, 192, 128), rgb(255, 128, 0)]);

    await driver.perform('click Option1(2)');
    const box = await page.locator('[data-member="Check1(1)"]').boundingBox();
    const [checkBox] = await colours(context, await page.screenshot(), [[box.x + box.width - 3, box.y + 3]]);
    expect(checkBox).toEqual(rgb(128, 255, 128));

    // The picture box: 224 pixels, a 2-pixel border dark at the top and left,
    // light at the bottom and right, the picture from its inner corner.
    await driver.perform('click Option1(0)');
    const picture = await page.locator('[data-member="Picture1"]').boundingBox();
    expect([picture.width, picture.height]).toEqual([224, 224]);
    const image = await page.locator('[data-member="Picture1"] img').boundingBox();
    expect([image.x - picture.x, image.y - picture.y, image.width, image.height]).toEqual([2, 2, 220, 220]);
    expect(await page.locator('[data-member="Picture1"] img').evaluate((img) => img.complete && img.naturalWidth)).toBe(220);
    const [top, left, bottom, right] = await colours(context, await page.screenshot(), [
      [picture.x + 100, picture.y + 1], [picture.x + 1, picture.y + 100],
      [picture.x + 100, picture.y + 222.5], [picture.x + 222.5, picture.y + 100]]);
    expect([top, left]).toEqual([rgb(128, 128, 128), rgb(128, 128, 128)]);
    expect([bottom, right]).toEqual([rgb(255, 255, 255), rgb(255, 255, 255)]);
    await page.screenshot({ path: path.join(process.env.TEMPERAMENT_WEB_BUILD, 'tests/web/results/hippocrates.png') });
  });

  test('keeps its layout on a screen scaled by 1.5, drawn 1.5 times as large', async ({ browser }) => {
    const context = await browser.newContext({ deviceScaleFactor: 1.5, viewport: { width: 800, height: 600 } });
    const page = await context.newPage();
    await open(page, shipped());
    const window = await page.locator('main').boundingBox();
    expect([window.width, window.height]).toEqual([461, 387]);
    const option = await page.locator('[data-member="Option1(1)"]').boundingBox();
    expect([option.x - window.x, option.y - window.y, option.width, option.height]).toEqual([232, 96, 89, 19]);
    const shot = await page.locator('main').screenshot();
    // PNG's width and height; the window may lie across a pixel's edge.
    expect(Math.abs(shot.readUInt32BE(16) - 461 * 1.5)).toBeLessThanOrEqual(1.5);
    expect(Math.abs(shot.readUInt32BE(20) - 387 * 1.5)).toBeLessThanOrEqual(1.5);
    const [background, title] = await colours(context, await page.screenshot(), [[window.x + 20, window.y + 150], [window.x + 82, window.y + 3]], 1.5);
    expect([background, title]).toEqual([rgb(192, 192, 255), rgb(255, 192, 128)]);
    await page.screenshot({ path: path.join(process.env.TEMPERAMENT_WEB_BUILD, 'tests/web/results/first-screen.png') });
    await context.close();
  });

  test('has no accessibility violations on the first, the Pavlov and the Hippocrates screens', async ({ page }) => {
    await open(page, shipped());
    const driver = new Driver(page);
    for (const action of ['start', 'click Option1(2)', 'click Option1(0)']) {
      await driver.perform(action);
      const { violations } = await new AxeBuilder({ page }).analyze();
      expect(violations.map((v) => `${action}: ${v.id}: ${v.help} (${v.nodes.map((n) => n.target).join(', ')})`)).toEqual([]);
    }
  });

  test('lets the display box be selected and copied, and the keyboard change nothing in it', async ({ page, context }) => {
    await context.grantPermissions(['clipboard-read', 'clipboard-write']);
    await open(page, shipped());
    const before = await page.locator('textarea').first().inputValue();
    await page.keyboard.press('Control+A');
    await page.keyboard.press('Control+C');
    await page.keyboard.type('x');
    await page.keyboard.press('Backspace');
    expect(await page.locator('textarea').first().inputValue()).toBe(before);
    expect(await page.evaluate(() => navigator.clipboard.readText())).toBe(before);
  });
});

test('a run-time error is shown in a dialog and on the console, and the window takes no more input', async ({ page }) => {
  const errors = [];
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  await open(page, logged());
  const driver = new Driver(page);
  await driver.perform('click Option1(2)');
  await page.evaluate(() => Module.failNextClick());
  await driver.perform('click Check1(0)');
  const dialog = page.locator('dialog[open]');
  await expect(dialog).toBeVisible();
  expect(errors).toHaveLength(1);
  expect(errors[0]).toContain('Check1');
  // The title and the closing line of every layer's report, as the build writes them out.
  const { errorReport } = JSON.parse(fs.readFileSync(path.join(process.env.TEMPERAMENT_WEB_BUILD, 'expected_data.json'), 'utf8'));
  await expect(dialog.getByRole('heading')).toHaveText(errorReport.title);
  await expect(dialog.locator('p')).toHaveText([errors[0], errorReport.closing]);

  await dialog.getByRole('button').click();
  await expect(dialog).toBeHidden();
  const ended = await page.evaluate(readPage);
  for (const action of ['click Option1(0)', 'click Check1(1)', 'key Tab', 'key Space', 'key Down']) await driver.perform(action);
  const after = await page.evaluate(readPage);
  expect(after.clicks).toBe('none');
  expect(after.facts).toEqual(ended.facts);
});

test.describe('the first screen, painted from the HTML before the program runs', () => {
  const scenario = async (name) => {
    const text = await screenText();
    return { text, steps: text.readScenario(path.join(screensFolder, name)).steps };
  };

  test('is the program\'s first screen, readable with JavaScript off, and the program changes nothing in it', async ({ browser }) => {
    const { text, steps: [start] } = await scenario('first_screen.screens');
    const still = await (await browser.newContext({ javaScriptEnabled: false })).newPage();
    await still.goto(shipped());
    expect(text.stepText('none', (await still.evaluate(readPage)).facts)).toBe(start.screen);
    // Above the window, one line that says why nothing answers.
    const notices = still.locator('body > p:visible, noscript > p:visible');
    await expect(notices).toHaveCount(1);
    await expect(notices).toContainText('JavaScript');

    // Once the page is parsed, every change to its elements and every layout
    // shift is noted: the program takes the elements over, makes no new ones
    // and moves nothing.
    const page = await browser.newPage();
    await page.addInitScript(() => {
      window.firstScreen = { changes: [], shift: 0 };
      const noted = new MutationObserver((records) => window.firstScreen.changes.push(
        ...records.map((record) => `${record.type} of ${record.target.dataset?.member ?? record.target.nodeName}`)));
      document.addEventListener('readystatechange', () => document.readyState === 'interactive' &&
        noted.observe(document, { subtree: true, childList: true, attributes: true, characterData: true }));
      new PerformanceObserver((list) => list.getEntries().forEach((entry) => { window.firstScreen.shift += entry.value; }))
        .observe({ type: 'layout-shift', buffered: true });
    });
    await open(page, shipped());
    expect(text.stepText('none', (await page.evaluate(readPage)).facts)).toBe(start.screen);
    expect(await page.evaluate(() => window.firstScreen)).toEqual({ changes: [], shift: 0 });
    expect(await page.locator('body > p:visible, noscript > p:visible').count()).toBe(0);
    // The same pixels, once the line above the window is taken away.
    await notices.evaluate((line) => { line.closest('body > *').hidden = true; });
    expect((await page.screenshot()).equals(await still.screenshot())).toBe(true);
  });

  test('says so above the window, and takes no input, where neither build can run', async ({ page }) => {
    // A browser that runs neither: the WebAssembly it is offered fails, and
    // so would the fallback.
    await page.route(/temperament(-fallback)?\.(js|wasm)$/, (route) => route.abort());
    await page.goto(shipped());
    const notice = page.locator('#cannot-run');
    await expect(notice).toBeVisible();
    await expect(notice).toContainText('Програмата не може да работи');
    await expect(notice).toHaveAttribute('role', 'alert');
    expect(await page.locator('main input:enabled').count()).toBe(0);
  });

  test('a choice made on it before the program has started is answered once it has', async ({ page }) => {
    let release;
    const held = new Promise((resolve) => { release = resolve; });
    await page.route('**/logged_temperament.js', (route) => held.then(() => route.continue()));
    await page.goto(logged(), { waitUntil: 'commit' });
    await new Driver(page).perform('click Option1(2)');
    release();
    await started(page);
    const { text, steps: [, chosen] } = await scenario('boxes_keep_their_state.screens');
    expect(chosen.action).toBe('click Option1(2)');
    const { facts, clicks } = await page.evaluate(readPage);
    expect(clicks).toMatch(/ Option1_Click\(2\)$/); // after Load's
    expect(text.stepText('Option1_Click(2)', facts)).toBe(chosen.screen);
  });
});
