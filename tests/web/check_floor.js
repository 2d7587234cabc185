// Holds the built site to the oldest browsers it supports (.browserslistrc at
// the top of the project), with tools made for it: es-check for the scripts'
// syntax and built-ins, eslint-plugin-compat for the Web APIs they call, and
// stylelint-no-unsupported-browser-features (caniuse's data, through doiuse)
// for the stylesheet. The page's own script and stylesheet are inside
// index.html, and checked as such. A newer feature fails the check, with its
// file and what lacks it; one that is guarded where it is used is named below.
// Usage: node check_floor.js SITE_FOLDER
const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const browserslist = require('browserslist');

const site = process.argv[2];
if (!site) {
  console.error('usage: check_floor.js SITE_FOLDER');
  process.exit(2);
}
const floorFile = path.join(__dirname, '../../.browserslistrc');
const floor = browserslist.loadConfig({ config: floorFile });

// Emscripten's glue asks `typeof globalThis` and finds the global object
// another way where there is none.
const guardedInGlue = ['globalThis'];

function inline(html, tag) {
  const found = html.match(new RegExp(`<${tag}>([^]*?)</${tag}>`));
  if (!found) throw new Error(`${site}/index.html has no inline <${tag}>`);
  return found[1];
}

function esCheck(files, ignored = []) {
  const args = ['checkBrowser', ...files, '--checkFeatures', `--browserslistPath=${floorFile}`, '--noColor'];
  if (ignored.length) args.push(`--ignore=${ignored.join(',')}`);
  try {
    execFileSync(path.join(__dirname, 'node_modules/.bin/es-check'), args, { encoding: 'utf8' });
    return [];
  } catch (failure) {
    if (typeof failure.status !== 'number') throw failure;
    return `${failure.stdout}${failure.stderr}`.split('\n').filter((line) => /· (erroring file|error):/.test(line))
      .map((line) => `es-check: ${line.trim()}`);
  }
}

async function compatOf(files) {
  const { ESLint } = require('eslint');
  const eslint = new ESLint({
    cwd: path.parse(path.resolve(site)).root,  // the files lie in the build and a scratch folder
    overrideConfigFile: true,
    overrideConfig: {
      plugins: { compat: require('eslint-plugin-compat') },
      languageOptions: { ecmaVersion: 'latest', sourceType: 'script' },
      settings: { browsers: floor },
      rules: { 'compat/compat': 'error' },
    },
  });
  return (await eslint.lintFiles(files)).flatMap((result) => result.messages.map(
    (message) => `${result.filePath}:${message.line}:${message.column}: ${message.message}`));
}

async function cssOf(file) {
  const { default: stylelint } = await import('stylelint');
  const { results } = await stylelint.lint({
    files: [file],
    config: {
      plugins: [require.resolve('stylelint-no-unsupported-browser-features')],
      // What is partly supported works as the page uses it (overflow with one
      // value); resize: none only takes away a handle that iOS never shows.
      rules: {
        'plugin/no-unsupported-browser-features': [true,
          { browsers: floor, severity: 'error', ignorePartialSupport: true, ignore: ['css-resize'] }],
      },
    },
  });
  // doiuse takes the max( of grid's minmax(), which every floor browser has,
  // for CSS's max(): a line is only reported for a min(), max() or clamp() of its own.
  const lines = fs.readFileSync(file, 'utf8').split('\n');
  const ownMath = (line) => /\b(min|max|clamp)\(/.test(lines[line - 1].replace(/\bminmax\(/g, ''));
  return results.flatMap((result) => result.warnings)
    .filter((warning) => !warning.text.includes('"css-math-functions"') || ownMath(warning.line))
    .map((warning) => `${file}:${warning.line}: ${warning.text}`);
}

async function main() {
  const scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'temperament-floor-'));
  try {
    const html = fs.readFileSync(path.join(site, 'index.html'), 'utf8');
    const start = path.join(scratch, 'index.html.script.js');
    const style = path.join(scratch, 'index.html.style.css');
    fs.writeFileSync(start, inline(html, 'script'));
    fs.writeFileSync(style, inline(html, 'style'));
    const builds = fs.readdirSync(site).filter((name) => /^temperament.*\.js$/.test(name)).map((name) => path.join(site, name));
    const own = [start, path.join(site, 'service-worker.js')];
    const problems = [
      ...esCheck(own),
      ...esCheck(builds, guardedInGlue),
      ...await compatOf([...own, ...builds]),
      ...await cssOf(style),
    ];
    if (problems.length) {
      console.error(`The site uses what its oldest browsers (${floor.join(', ')}) lack:\n${problems.join('\n')}`);
      process.exitCode = 1;
    } else {
      console.log(`The site's scripts and stylesheet run in ${floor.join(', ')}.`);
    }
  } finally {
    fs.rmSync(scratch, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
