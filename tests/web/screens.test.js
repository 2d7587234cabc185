// The expected screens of tests/screens, played with real mouse clicks and
// key presses on a desktop's page, in every engine of the suite
// (playwright.config.js); each engine runs the build of the program it should.
const { expect } = require('@playwright/test');
const { test, engineNamed } = require('./support/engines');
const { scenarioNames, shipped, open, play, Driver } = require('./support/page');

for (const name of scenarioNames()) {
  test(`expected screens: ${name}`, async ({ page }) => {
    await play(page, new Driver(page), name);
  });
}

test('runs the build of the program that the engine can run', async ({ page, engine }) => {
  await open(page, shipped());
  const script = await page.evaluate(() => document.querySelector('script[src]').getAttribute('src'));
  const { build } = engineNamed(engine);
  expect({ build, script }).toEqual({ build, script: build === 'fallback' ? 'temperament-fallback.js' : 'temperament.js' });
});
