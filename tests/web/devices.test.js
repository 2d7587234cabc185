// The expected screens of tests/screens on the screens of phones and tablets,
// with taps, in Chromium (Playwright emulates touch there): what the layout
// keeps on each.
const { test, expect } = require('@playwright/test');
const { scenarioNames, play, Driver } = require('./support/page');

// Runs in the page: what the layout must keep on every screen. The text and
// the controls fit the page's width; no text is smaller than 16 pixels; a
// finger that lands within 11 pixels of a box's or a button's centre, across
// and down, hits it (a target of 24 x 24: the browser hit-tests whole
// pixels); the display box can be scrolled fully into view.
function readLayout() {
  const window = document.querySelector('main');
  const shown = [...window.querySelectorAll(':scope > [data-member]')].filter((element) => element.getClientRects().length > 0);
  const root = document.documentElement;
  const offsets = [-11, 0, 11];
  const hits = (element, x, y) => document.elementFromPoint(x, y)?.closest('main > [data-member]') === element;
  const smallTargets = shown.filter((element) => element.matches('label')).filter((element) => {
    element.scrollIntoView({ block: 'center' });
    const box = element.getBoundingClientRect();
    const [x, y] = [box.x + box.width / 2, box.y + box.height / 2];
    return !offsets.every((dx) => offsets.every((dy) => hits(element, x + dx, y + dy)));
  });
  const display = window.querySelector(':scope > textarea:not([hidden])');
  display.scrollIntoView({ block: 'nearest' });
  const text = display.getBoundingClientRect();
  const size = window.getBoundingClientRect();
  return {
    sideways: root.scrollWidth > root.clientWidth,
    smallText: shown.filter((element) => parseFloat(getComputedStyle(element).fontSize) < 16).map((e) => e.dataset.member),
    smallTargets: smallTargets.map((element) => element.dataset.member),
    displayInView: text.top >= 0 && text.left >= 0 && text.bottom <= innerHeight && text.right <= innerWidth,
    size: [size.width, size.height],
  };
}

// Phones in portrait and in landscape, and a tablet: every scenario with
// taps, and once more on the narrowest with the mouse. Where the window fits
// it is as designed; where it does not it fills the page's width.
const devices = [
  { width: 320, height: 568, touch: true },
  { width: 360, height: 740, touch: true },
  { width: 768, height: 1024, touch: true },
  { width: 740, height: 360, touch: true },
  { width: 320, height: 568, touch: false },
];
for (const { width, height, touch } of devices) {
  test.describe(`${width} x ${height}, ${touch ? 'touch' : 'mouse'}`, () => {
    test.use({ viewport: { width, height }, hasTouch: touch, isMobile: touch });
    for (const name of scenarioNames()) {
      test(`expected screens: ${name}`, async ({ page }) => {
        await play(page, new Driver(page, { touch }), name, { check: async (action) => {
          const layout = await page.evaluate(readLayout);
          const size = width >= 461 ? [461, 387] : [width, layout.size[1]];
          expect({ action, ...layout }).toEqual({
            action, sideways: false, smallText: [], smallTargets: [], displayInView: true, size,
          });
        } });
      });
    }
  });
}

