// The guide for pupils and teachers (packaging/guide.html), made here: the
// window's first screen and Pavlov's, as the page shows them, go into it as
// data URLs, so that one file is the whole guide (build/web/guide.html, which
// the release ships). It is held to what the site is held to, and to one
// printed A4 page.
const fs = require('node:fs');
const path = require('node:path');
const { test, expect } = require('@playwright/test');
const { default: AxeBuilder } = require('@axe-core/playwright');
const { shipped, open, Driver } = require('./support/page');
const { withLighthouse, failedAudits } = require('./support/lighthouse');

const template = path.join(__dirname, '../../packaging/guide.html');
const guide = () => path.join(process.env.TEMPERAMENT_WEB_BUILD, 'guide.html');

test.describe.serial('the guide', () => {
  test('is made with two screenshots of the window', async ({ page }) => {
    await open(page, shipped());
    const screenshot = async () => `data:image/png;base64,${(await page.locator('main').screenshot()).toString('base64')}`;
    const screens = { firstScreen: await screenshot() };
    await new Driver(page).perform('click Option1(2)');
    screens.pavlovScreen = await screenshot();
    const text = fs.readFileSync(template, 'utf8').replace(/\{\{(\w+)\}\}/g, (_, name) => {
      if (!screens[name]) throw new Error(`${template}: nothing to fill in for {{${name}}}`);
      return screens[name];
    });
    fs.writeFileSync(guide(), text);
  });

  test('prints on one A4 page, and has no accessibility violation', async ({ page }) => {
    await page.goto(new URL('guide.html', process.env.TEMPERAMENT_URL).href);
    expect(await page.evaluate(() => document.documentElement.lang)).toBe('bg');
    const pdf = (await page.pdf({ preferCSSPageSize: true })).toString('latin1');
    expect(pdf.match(/\/Type\s*\/Page\b/g)).toHaveLength(1);
    const { violations } = await new AxeBuilder({ page }).analyze();
    expect(violations.map((v) => `${v.id}: ${v.help}`)).toEqual([]);
  });

  test('scores 1.00 for accessibility in Lighthouse, on the desktop and on a phone', async () => {
    test.setTimeout(120_000);
    await withLighthouse(async (audit) => {
      for (const preset of ['desktop', 'mobile']) {
        const report = await audit(new URL('guide.html', process.env.TEMPERAMENT_URL).href, preset, ['accessibility']);
        expect({ preset, failed: failedAudits(report, 'accessibility') }).toEqual({ preset, failed: [] });
        expect(report.categories.accessibility.score).toBe(1);
      }
    });
  });
});
