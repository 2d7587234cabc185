// A pupil with low vision: the page in its design's colours and under a
// high-contrast black and a high-contrast white scheme (the browser's forced
// colours), measured from screenshots with the core's own contrast rule
// (ui/contrast.hpp, through the screen-text module): each shown control's
// text against its background at least 4.5:1, the keyboard focus's indicator
// against what it covers at least 3:1, and under forced colours the window's
// edge at least 3:1 against the page.
const path = require('node:path');
const { PNG } = require('pngjs');
const { test, expect } = require('@playwright/test');
const { shipped, screenText, open, Driver } = require('./support/page');

const schemes = [
  { name: 'design', media: { forcedColors: 'none', colorScheme: 'light' } },
  { name: 'high-contrast-black', media: { forcedColors: 'active', colorScheme: 'dark' } },
  { name: 'high-contrast-white', media: { forcedColors: 'active', colorScheme: 'light' } },
];
const screens = [['first', []], ['pavlov', ['click Option1(2)']], ['hippocrates', ['click Option1(0)']]];

const packed = ([r, g, b]) => (b << 16) | (g << 8) | r; // 0x00BBGGRR, as the core takes colours

// The colours of a screenshot's pixels inside `box` (CSS pixels), most
// common first: [[r, g, b], count].
function coloursIn(png, box) {
  const counts = new Map();
  for (let y = Math.max(0, Math.ceil(box.y)); y < Math.min(png.height, Math.floor(box.y + box.height)); ++y) {
    for (let x = Math.max(0, Math.ceil(box.x)); x < Math.min(png.width, Math.floor(box.x + box.width)); ++x) {
      const at = (y * png.width + x) * 4;
      const key = (png.data[at] << 16) | (png.data[at + 1] << 8) | png.data[at + 2];
      counts.set(key, (counts.get(key) ?? 0) + 1);
    }
  }
  return [...counts].sort((a, b) => b[1] - a[1]).map(([key, count]) => [[key >> 16, (key >> 8) & 255, key & 255], count]);
}

// Runs in the page: the boxes of the shown controls' text (a caption's span,
// the heading, the display box's inside).
function textBoxes() {
  return [...document.querySelectorAll('main > [data-member]')].filter((element) => element.getClientRects().length > 0)
    .filter((element) => element.matches('h1, label, textarea')).map((element) => {
      const text = element.matches('label') ? element.querySelector('span') : element;
      const { x, y, width, height } = text.getBoundingClientRect();
      const inset = element.matches('textarea') ? 4 : 0; // inside its border
      return { member: element.dataset.member, box: { x: x + inset, y: y + inset, width: width - 2 * inset, height: height - 2 * inset } };
    });
}

for (const { name, media } of schemes) {
  test(`contrast in the ${name} scheme: text, focus and the window's edge`, async ({ page }) => {
    const text = await screenText();
    const contrast = (a, b) => text.contrastRatio(packed(a), packed(b));
    await page.emulateMedia(media);
    await open(page, shipped());
    const driver = new Driver(page);
    for (const [screen, actions] of screens) {
      for (const action of actions) await driver.perform(action);
      const png = PNG.sync.read(await page.screenshot());
      // The window with its edge, for the docs (scripts/screenshots.sh).
      const window = await page.locator('main').boundingBox();
      await page.screenshot({ path: path.join(process.env.TEMPERAMENT_WEB_BUILD, `tests/web/results/contrast-${name}-${screen}.png`),
        clip: { x: window.x - 2, y: window.y - 2, width: window.width + 4, height: window.height + 4 } });

      // The text: the colour of the letters' cores, the one that stands out
      // most from the most common colour (smoothed edges blend into it).
      const faint = [];
      for (const { member, box } of await page.evaluate(textBoxes)) {
        const [[background], ...others] = coloursIn(png, box);
        const letters = others.filter(([, count]) => count >= 4).map(([colour]) => colour);
        const best = Math.max(...letters.map((colour) => contrast(colour, background)));
        if (!(best >= 4.5)) faint.push(`${member}: ${best.toFixed(2)}`);
      }
      expect({ screen, faint }).toEqual({ screen, faint: [] });

      // The window's edge: just outside it, against the page around it.
      if (media.forcedColors === 'active') {
        const [[edge]] = coloursIn(png, { x: window.x, y: window.y - 2, width: window.width, height: 2 });
        const [[around]] = coloursIn(png, { x: 0, y: 0, width: png.width, height: 4 });
        expect({ screen, edge: contrast(edge, around) >= 3 }).toEqual({ screen, edge: true });
      }
    }

    // The focus, moved by the keyboard round every stop of the Pavlov screen:
    // where the screen changes around the control, the new colour against
    // the old.
    await driver.perform('click Option1(2)');
    const faint = [];
    let before = PNG.sync.read(await page.screenshot());
    for (let stop = 0; stop < 5; ++stop) {
      await driver.perform('key Tab');
      const after = PNG.sync.read(await page.screenshot());
      const member = await page.evaluate(() => document.activeElement.closest('[data-member]').dataset.member);
      const box = await page.locator(`[data-member="${member}"]`).boundingBox();
      const changed = new Map();
      for (let y = Math.floor(box.y - 4); y < Math.ceil(box.y + box.height + 4); ++y) {
        for (let x = Math.floor(box.x - 4); x < Math.ceil(box.x + box.width + 4); ++x) {
          const at = (y * after.width + x) * 4;
          const was = [before.data[at], before.data[at + 1], before.data[at + 2]];
          const is = [after.data[at], after.data[at + 1], after.data[at + 2]];
          if (was.some((value, i) => value !== is[i])) {
            const key = `${was}>${is}`;
            changed.set(key, { was, is, count: (changed.get(key)?.count ?? 0) + 1 });
          }
        }
      }
      const [indicator] = [...changed.values()].sort((a, b) => b.count - a.count);
      const measured = indicator ? contrast(indicator.was, indicator.is) : 0;
      if (!(measured >= 3)) faint.push(`${member}: ${measured.toFixed(2)}`);
      before = after;
    }
    expect(faint).toEqual([]);
  });
}
