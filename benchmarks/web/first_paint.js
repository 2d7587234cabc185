// The time from navigation to the first paint of the window in headless
// Chromium: the browser version (the site) against the static page of
// first_screen.html, in turns, each in a fresh browser context (no cache),
// both served from 127.0.0.1. Prints the medians as "label<TAB>site<TAB>static".
// Usage: node benchmarks/web/first_paint.js SITE_FOLDER RUNS
// (Playwright comes from tests/web: npm ci there first.)
const { spawn } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const readline = require('node:readline');

const { chromium } = require(require.resolve('playwright-core', { paths: [path.join(__dirname, '../../tests/web')] }));

const [site, runs = '21'] = process.argv.slice(2);
if (!site) {
  console.error('usage: first_paint.js SITE_FOLDER RUNS');
  process.exit(2);
}

const escape = (text) => text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// The first contentful paint: for the site, its window, as its page shows
// nothing before the program has made the window.
const firstPaint = () => new Promise((resolve) => {
  new PerformanceObserver((list) => {
    const entry = list.getEntriesByName('first-contentful-paint')[0];
    if (entry) resolve(entry.startTime);
  }).observe({ type: 'paint', buffered: true });
});

async function main() {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'first-paint-'));
  fs.symlinkSync(path.resolve(site), path.join(root, 'site'));
  fs.mkdirSync(path.join(root, 'static'));
  const server = spawn(process.execPath, [path.join(__dirname, '../../scripts/support/serve.mjs'), root],
    { stdio: ['ignore', 'pipe', 'inherit'] });
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium' });
  try {
    const address = await new Promise((resolve) => readline.createInterface({ input: server.stdout }).once('line', resolve));
    const pages = { site: new URL('site/', address).href, static: new URL('static/', address).href };

    // The static page's texts, from the program's first screen.
    const page = await browser.newPage();
    await page.goto(pages.site);
    await page.locator('main textarea').first().waitFor();
    const texts = await page.evaluate(() => ({
      caption: document.querySelector('title').textContent,
      title: document.querySelector('main h1').textContent,
      text: document.querySelector('main textarea').value,
      textName: document.querySelector('main textarea').getAttribute('aria-label'),
      ...Object.fromEntries([...document.querySelectorAll('main input[type=radio]')]
        .map((input, i) => [`option${i}`, input.parentElement.textContent])),
    }));
    await page.close();
    const template = fs.readFileSync(path.join(__dirname, 'first_screen.html'), 'utf8');
    fs.writeFileSync(path.join(root, 'static/index.html'),
      template.replace(/\{\{(\w+)\}\}/g, (_, name) => escape(texts[name] ?? '')));

    const times = { site: [], static: [] };
    for (let run = 0; run < Number(runs); ++run) {
      for (const which of run % 2 ? ['static', 'site'] : ['site', 'static']) {
        const context = await browser.newContext();
        const each = await context.newPage();
        await each.goto(pages[which]);
        times[which].push(await each.evaluate(firstPaint));
        await context.close();
      }
    }
    console.log(`Web: navigation to first paint (ms)\t${median(times.site).toFixed(1)}\t${median(times.static).toFixed(1)}`);
  } finally {
    await browser.close();
    server.kill();
    fs.rmSync(root, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
