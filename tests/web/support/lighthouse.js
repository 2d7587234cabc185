// Lighthouse's audits of a page in Debian's Chromium (npm's Lighthouse, pinned
// in package.json, with chrome-launcher, its own way of starting a browser).
// Shared by the browser suite, which asserts the scores of accessibility,
// best practices and SEO, and the figures, which only measure performance.
const presets = {
  mobile: 'lighthouse/core/config/default-config.js',
  desktop: 'lighthouse/core/config/desktop-config.js',
};

// Runs `use(audit)` with one browser for all its audits. audit(url, preset,
// categories) gives Lighthouse's report (its "LHR") of `url` for those
// categories with the mobile or the desktop preset.
async function withLighthouse(use) {
  const { default: lighthouse } = await import('lighthouse');
  const chromeLauncher = await import('chrome-launcher');
  const chrome = await chromeLauncher.launch({
    chromePath: '/usr/bin/chromium',
    // Root has no sandbox; chrome-launcher's defaults keep the browser off
    // the network it cannot reach.
    chromeFlags: ['--headless=new', '--no-sandbox', '--disable-gpu'],
  });
  const audit = async (url, preset, categories) => {
    if (!presets[preset]) throw new Error(`no Lighthouse preset "${preset}"`);
    const { default: config } = await import(presets[preset]);
    const result = await lighthouse(url, { port: chrome.port, onlyCategories: categories, logLevel: 'error' }, config);
    if (!result) throw new Error(`Lighthouse gave no report of ${url}`);
    if (result.lhr.runtimeError) throw new Error(`Lighthouse: ${result.lhr.runtimeError.message}`);
    return result.lhr;
  };
  try {
    return await use(audit);
  } finally {
    chrome.kill();
  }
}

// The audits of `category` that count towards its score and did not pass:
// "id: title (score)".
function failedAudits(report, category) {
  return report.categories[category].auditRefs
    .filter((ref) => ref.weight > 0)
    .map((ref) => report.audits[ref.id])
    .filter((audit) => audit.score !== null && audit.score < 1)
    .map((audit) => `${audit.id}: ${audit.title} (${audit.score})`);
}

module.exports = { withLighthouse, failedAudits };
