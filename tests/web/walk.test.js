// The walk over every state of the window and every user action from each,
// with real clicks and keys: on Chromium, and on an engine of another family
// (playwright.config.js).
const path = require('node:path');
const { test } = require('./support/engines');
const { screensFolder, screenText, open, Driver } = require('./support/page');

// The walk's runs, each from a fresh page; the Clicks and the screen after
// every step.
test('the walk over every state and every user action from each', async ({ page }) => {
  test.setTimeout(300_000);
  const text = await screenText();
  const walk = text.readWalk(path.join(screensFolder, 'every_state.walk'));
  for (const run of walk.runs) {
    const driver = new Driver(page);
    await open(page);
    const first = await driver.read();
    if (text.summary(first.facts) !== walk.states[0]) {
      throw new Error(`the first screen is not state 0:\n  shown:    ${text.summary(first.facts)}`);
    }
    let trail = 'start';
    for (const step of run) {
      await driver.perform(step.action);
      trail += `, ${step.action}`;
      const { facts, clicks } = await driver.read();
      if (clicks !== step.clicks) throw new Error(`after ${trail}: the Clicks ${clicks}, not ${step.clicks}`);
      const shown = text.summary(facts);
      if (shown !== walk.states[step.to]) {
        throw new Error(`after ${trail}:\n  expected: state ${step.to} ${walk.states[step.to]}\n  shown:    ${shown}`);
      }
    }
  }
});
