// The browser suite: one project for each engine of support/engines.js, the
// pages served on 127.0.0.1 from the web build. Every engine plays the
// expected screens and a reload without a network; Chromium and Firefox walk
// every state; the rest (phones, the page's own checks, Lighthouse) runs in
// Debian's Chromium, through Playwright (whose own browsers are never
// downloaded).
const path = require('node:path');
const { defineConfig } = require('@playwright/test');
const { engines } = require('./support/engines');

const build = process.env.TEMPERAMENT_WEB_BUILD;
if (!build) throw new Error('TEMPERAMENT_WEB_BUILD must name the web build (ctest --preset web sets it)');

const everyEngine = ['screens.test.js', 'offline.test.js'];
const walking = ['chromium', 'firefox'];

module.exports = defineConfig({
  testDir: __dirname,
  globalSetup: require.resolve('./support/server.js'),
  outputDir: path.join(build, 'tests/web/results'),
  fullyParallel: true,
  workers: 2, // the browser mostly waits for the page
  forbidOnly: true,
  reporter: 'list',
  use: {
    browserName: 'chromium',
    launchOptions: { executablePath: '/usr/bin/chromium' },
    viewport: { width: 800, height: 600 },
  },
  projects: Object.keys(engines).map((engine) => ({
    name: engine,
    testMatch: engine === 'chromium' ? '*.test.js' : [...everyEngine, ...(walking.includes(engine) ? ['walk.test.js'] : [])],
    use: { engine },
  })),
});
