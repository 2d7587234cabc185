// A pupil with low vision: the window's text under a reader's text spacing
// (WCAG 2.2, 1.4.12) and at 200 % zoom (1.4.4), on a desktop's page and at
// 320 pixels: every scenario, and after each step no caption or text is
// clipped, covered or pushed out of the window.
const { test, expect } = require('@playwright/test');
const { scenarioNames, play, Driver } = require('./support/page');

// Runs in the page: the spacing a reader's extension applies to every element
// (line height 1.5, paragraphs 2 em apart, letters 0.12 em and words 0.16 em).
function spaceText() {
  for (const element of document.querySelectorAll('*')) {
    element.style.setProperty('line-height', '1.5', 'important');
    element.style.setProperty('letter-spacing', '0.12em', 'important');
    element.style.setProperty('word-spacing', '0.16em', 'important');
  }
  for (const paragraph of document.querySelectorAll('p')) paragraph.style.setProperty('margin-bottom', '2em', 'important');
}

// Runs in the page: each shown control's text that lies outside its own box
// or the window, or under another shown control; and a display box that
// scrolls sideways. (The display box's and the lists' text scrolls, and the
// picture has none.)
function clippedText() {
  const window = document.querySelector('main');
  const shown = [...window.querySelectorAll(':scope > [data-member]')].filter((element) => element.getClientRects().length > 0);
  const boxOf = new Map(shown.map((element) => [element, element.getBoundingClientRect()]));
  const within = (inner, outer) => inner.left >= outer.left - 0.5 && inner.right <= outer.right + 0.5 &&
    inner.top >= outer.top - 0.5 && inner.bottom <= outer.bottom + 0.5;
  const overlap = (a, b) => a.left < b.right - 0.5 && b.left < a.right - 0.5 && a.top < b.bottom - 0.5 && b.top < a.bottom - 0.5;
  const problems = [];
  for (const element of shown) {
    const name = element.dataset.member;
    if (element.matches('textarea')) {
      if (element.scrollWidth > element.clientWidth) problems.push(`${name}: its text scrolls sideways`);
      continue;
    }
    if (element.matches('select, div')) continue;
    const text = document.createRange();
    text.selectNodeContents(element);
    for (const line of [...text.getClientRects()].filter((rect) => rect.width > 0)) {
      if (!within(line, boxOf.get(element))) problems.push(`${name}: text outside its box`);
      if (!within(line, window.getBoundingClientRect())) problems.push(`${name}: text outside the window`);
      for (const other of shown) {
        if (other !== element && overlap(line, boxOf.get(other))) problems.push(`${name}: text under ${other.dataset.member}`);
      }
    }
  }
  return [...new Set(problems)];
}

// A desktop and a phone in portrait; at 200 %, a desktop's screen of 800 x
// 600 and one of 640 pixels, whose page is then 320 pixels wide.
const screens = [
  { name: 'a desktop', viewport: { width: 800, height: 600 } },
  { name: '320 pixels', viewport: { width: 320, height: 568 } },
];
const zoomed = [
  { name: 'a desktop at 200 %', viewport: { width: 400, height: 300 }, deviceScaleFactor: 2 },
  { name: '640 pixels at 200 %', viewport: { width: 320, height: 400 }, deviceScaleFactor: 2 },
];

for (const { name, ...options } of screens) {
  test.describe(`text spacing on ${name}`, () => {
    test.use(options);
    for (const scenario of scenarioNames()) {
      test(`nothing clipped: ${scenario}`, async ({ page }) => {
        await play(page, new Driver(page), scenario, { check: async (action) => {
          await page.evaluate(spaceText);
          expect({ action, clipped: await page.evaluate(clippedText) }).toEqual({ action, clipped: [] });
        } });
      });
    }
  });
}

for (const { name, ...options } of zoomed) {
  test.describe(name, () => {
    test.use(options);
    for (const scenario of scenarioNames()) {
      test(`nothing clipped: ${scenario}`, async ({ page }) => {
        await play(page, new Driver(page), scenario, { check: async (action) => {
          expect({ action, clipped: await page.evaluate(clippedText) }).toEqual({ action, clipped: [] });
        } });
      });
    }
  });
}
