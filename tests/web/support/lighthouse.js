// Lighthouse's audits of a page in Debian's Chromium (npm's Lighthouse, pinned
// in package.json; it starts the browser with chrome-launcher, its own).
// Shared by the browser suite, which asserts the scores of accessibility,
// best practices and SEO, and the figures, which only measure performance.
const presets = { mobile: 'lighthouse/core/config/default-config.js', desktop: 'lighthouse/core/config/desktop-config.js' };

// The report (Lighthouse's "LHR") of `url` for the given categories, with the
// mobile or the desktop preset; each run in a browser of its own.
async function audit(url, preset, categories) {
  if (!presets[preset]) throw new Error(`no Lighthouse preset "${preset}"`);
  const { default: lighthouse } = await import('lighthouse');
  const { default: config } = await import(presets[preset]);
  const chromeLauncher = await import('chrome-launcher');
  const chrome = await chromeLauncher.launch({
    chromePath: '/usr/bin/chromium',
    // Root has no sandbox; chrome-launcher's defaults keep the browser off
    // the network it cannot reach.
    chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu'],
  });
  try {
    const result = await lighthouse(url, { port: chrome.port, onlyCategories: categories, logLevel: 'error' }, config);
    if (!result) throw new Error(`Lighthouse gave no report of ${url}`);
    if (result.lhr.runtimeError) throw new Error(`Lighthouse: ${result.lhr.runtimeError.message}`);
    return result.lhr;
  } finally {
    chrome.kill();
  }
}

module.exports = { audit };
