// Lighthouse's audits of the shipped page with its desktop and its mobile
// preset: accessibility, best practices and SEO score 1.00. (Performance is
// measured by scripts/benchmark.sh, not asserted here.)
const { test, expect } = require('@playwright/test');
const { shipped } = require('./support/page');
const { withLighthouse, failedAudits } = require('./support/lighthouse');

const categories = ['accessibility', 'best-practices', 'seo'];

test('Lighthouse scores accessibility, best practices and SEO at 1.00 on the desktop and on a phone', async () => {
  test.setTimeout(240_000);
  await withLighthouse(async (audit) => {
    for (const preset of ['desktop', 'mobile']) {
      const report = await audit(shipped(), preset, categories);
      for (const category of categories) {
        expect({ preset, category, score: report.categories[category].score, failed: failedAudits(report, category) })
          .toEqual({ preset, category, score: 1, failed: [] });
      }
    }
  });
});
