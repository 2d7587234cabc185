// The browser version's figures in headless Chromium, against the static page
// of first_screen.html, both served from 127.0.0.1:
// - the time from navigation to the first contentful paint, and to the first
//   answered click: a click on "Павлов" as soon as it is shown, answered when
//   the display box shows Pavlov's types (the static page answers nothing);
//   in turns, each in a fresh browser context (no cache);
// - Lighthouse's mobile performance score and Total Blocking Time, five runs
//   of each page in turns.
// Prints the medians as "label<TAB>site<TAB>static".
// Usage: node benchmarks/web/page_figures.js SITE_FOLDER RUNS
// (Playwright and Lighthouse come from tests/web: npm ci there first.)
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const tests = path.join(__dirname, '../../tests/web');
const { chromium } = require(require.resolve('playwright-core', { paths: [tests] }));
const { withLighthouse } = require(path.join(tests, 'support/lighthouse'));
const { serve } = require(path.join(tests, 'support/serve'));

const [site, runs = '21'] = process.argv.slice(2);
if (!site) {
  console.error('usage: page_figures.js SITE_FOLDER RUNS');
  process.exit(2);
}
const lighthouseRuns = 5;

const escape = (text) => text.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// In the page: the first contentful paint.
const firstPaint = () => new Promise((resolve) => {
  new PerformanceObserver((list) => {
    const entry = list.getEntriesByName('first-contentful-paint')[0];
    if (entry) resolve(entry.startTime);
  }).observe({ type: 'paint', buffered: true });
});

// In the page: the frame in which the display box first shows another text.
const answered = () => new Promise((resolve) => {
  const look = () => {
    const area = document.querySelector('main textarea');
    if (area?.value.startsWith('Класификация според Павлов')) resolve(performance.now());
    else requestAnimationFrame(look);
  };
  look();
});

async function firstClick(page, address) {
  await page.goto(address, { waitUntil: 'commit' });
  const option = page.locator('main [data-member="Option1(2)"]');
  await option.waitFor();
  const answer = page.evaluate(answered);
  const box = await option.boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  return answer;
}

async function main() {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'page-figures-'));
  fs.symlinkSync(path.resolve(site), path.join(root, 'site'));
  fs.mkdirSync(path.join(root, 'static'));
  const { address, stop } = await serve(root);
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium' });
  try {
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

    const paints = { site: [], static: [] };
    const clicks = [];
    for (let run = 0; run < Number(runs); ++run) {
      for (const which of run % 2 ? ['static', 'site'] : ['site', 'static']) {
        const context = await browser.newContext();
        const each = await context.newPage();
        await each.goto(pages[which]);
        paints[which].push(await each.evaluate(firstPaint));
        await context.close();
      }
      const context = await browser.newContext();
      clicks.push(await firstClick(await context.newPage(), pages.site));
      await context.close();
    }
    console.log(`Web: navigation to first paint (ms)\t${median(paints.site).toFixed(1)}\t${median(paints.static).toFixed(1)}`);
    console.log(`Web: navigation to first answered click (ms)\t${median(clicks).toFixed(1)}\t`);

    const lighthouse = { site: { score: [], blocking: [] }, static: { score: [], blocking: [] } };
    await withLighthouse(async (audit) => {
      for (let run = 0; run < lighthouseRuns; ++run) {
        for (const which of run % 2 ? ['static', 'site'] : ['site', 'static']) {
          const report = await audit(pages[which], 'mobile', ['performance']);
          lighthouse[which].score.push(report.categories.performance.score);
          lighthouse[which].blocking.push(report.audits['total-blocking-time'].numericValue);
        }
      }
    });
    const { site: program, static: baseline } = lighthouse;
    console.log(`Web: Lighthouse mobile performance (score)\t${median(program.score).toFixed(2)}\t${median(baseline.score).toFixed(2)}`);
    console.log(`Web: Lighthouse mobile Total Blocking Time (ms)\t${median(program.blocking).toFixed(0)}\t${median(baseline.blocking).toFixed(0)}`);
  } finally {
    await browser.close();
    await stop();
    fs.rmSync(root, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
