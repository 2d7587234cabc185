// The browser version's figures, each page against the static page of
// first_screen.html, both served from 127.0.0.1:
// - the time from navigation to the first contentful paint, in Chromium, and
//   in Firefox and WebKitGTK too;
// - the time from navigation to the first answered click: a click on
//   "Павлов" once the page is parsed, answered when the display box shows
//   Pavlov's types (the static page answers nothing); in Chromium, and in
//   Chromium 92, which runs the fallback;
//   each in turns, each in a fresh page (no cache);
// - Lighthouse's mobile performance score and Total Blocking Time, five runs
//   of each page in turns.
// Prints the medians as "label<TAB>site<TAB>static".
// Usage: node benchmarks/web/page_figures.js SITE_FOLDER RUNS
// (Playwright, Puppeteer, WebDriver and Lighthouse come from tests/web: npm ci
// there first; WebKitGTK needs a display.)
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const tests = path.join(__dirname, '../../tests/web');
const { engines } = require(path.join(tests, 'support/engines'));
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
    if (area && area.value.startsWith('Класификация според Павлов')) resolve(performance.now());
    else requestAnimationFrame(look);
  };
  look();
});

// In the page: the centre of "Павлов".
const optionCentre = () => {
  const box = document.querySelector('main [data-member="Option1(2)"]').getBoundingClientRect();
  return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
};

async function firstClick(page, address) {
  await page.goto(address, { waitUntil: 'domcontentloaded' });
  const answer = page.evaluate(answered);
  const { x, y } = await page.evaluate(optionCentre);
  await page.mouse.click(x, y);
  return answer;
}

// Runs measure(page, run) on a fresh page of `engine`, `runs` times.
async function measured(engine, count, measure) {
  const browser = await engines[engine].launch();
  const values = [];
  try {
    for (let run = 0; run < count; ++run) {
      const { page, close } = await browser.newPage();
      try {
        values.push(await measure(page, run));
      } finally {
        await close();
      }
    }
  } finally {
    await browser.close();
  }
  return values;
}

// The first paints of both pages in `engine`, in turns.
async function paints(engine, pages) {
  const times = { site: [], static: [] };
  await measured(engine, 2 * Number(runs), async (page, run) => {
    const which = run % 4 === 0 || run % 4 === 3 ? 'site' : 'static';
    await page.goto(pages[which]);
    times[which].push(await page.evaluate(firstPaint));
  });
  return times;
}

async function main() {
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'page-figures-'));
  fs.symlinkSync(path.resolve(site), path.join(root, 'site'));
  fs.mkdirSync(path.join(root, 'static'));
  const { address, stop } = await serve(root);
  try {
    const pages = { site: new URL('site/', address).href, static: new URL('static/', address).href };

    // The static page's texts, from the program's first screen.
    const [texts] = await measured('chromium', 1, async (page) => {
      await page.goto(pages.site);
      return page.evaluate(() => ({
        caption: document.querySelector('title').textContent,
        title: document.querySelector('main h1').textContent,
        text: document.querySelector('main textarea').value,
        textName: document.querySelector('main textarea').getAttribute('aria-label'),
        ...Object.fromEntries([...document.querySelectorAll('main input[type=radio]')]
          .map((input, i) => [`option${i}`, input.parentElement.textContent])),
      }));
    });
    const template = fs.readFileSync(path.join(__dirname, 'first_screen.html'), 'utf8');
    fs.writeFileSync(path.join(root, 'static/index.html'),
      template.replace(/\{\{(\w+)\}\}/g, (_, name) => escape(texts[name] ?? '')));

    for (const [engine, label] of [['chromium', ''], ['firefox', ', Firefox'], ['webkitgtk', ', WebKitGTK']]) {
      const times = await paints(engine, pages);
      console.log(`Web: navigation to first paint${label} (ms)\t${median(times.site).toFixed(1)}\t${median(times.static).toFixed(1)}`);
    }
    const clicks = await measured('chromium', Number(runs), (page) => firstClick(page, pages.site));
    const oldClicks = await measured('chromium-92', Number(runs), (page) => firstClick(page, pages.site));
    console.log(`Web: navigation to first answered click (ms)\t${median(clicks).toFixed(1)}\t`);
    console.log(`Web: the same on Chromium 92, the fallback, against Chromium (ms)\t${median(oldClicks).toFixed(1)}\t${median(clicks).toFixed(1)}`);

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
    await stop();
    fs.rmSync(root, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
