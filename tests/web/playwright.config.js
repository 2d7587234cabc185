// The browser suite: Debian's Chromium (Playwright's own browsers are not
// downloaded), the pages served on 127.0.0.1 from the web build.
const path = require('node:path');
const { defineConfig } = require('@playwright/test');

const build = process.env.TEMPERAMENT_WEB_BUILD;
if (!build) throw new Error('TEMPERAMENT_WEB_BUILD must name the web build (ctest --preset web sets it)');

module.exports = defineConfig({
  testDir: __dirname,
  testMatch: '*.test.js',
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
});
