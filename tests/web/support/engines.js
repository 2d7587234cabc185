// The browser engines a pupil may have, each started as the suite drives it:
// Chromium through Playwright, Firefox over WebDriver BiDi and Chromium 92
// over the DevTools protocol through Puppeteer, WebKitGTK and WPE WebKit over
// W3C WebDriver. Whatever speaks to it, a page offers the suite the same few
// calls, those of Playwright's page that the suite uses: goto, evaluate,
// waitForFunction, mouse.click and keyboard.press (with "Shift+Tab").
// An engine that cannot start says which set-up step brings it.
const fs = require('node:fs');
const path = require('node:path');
const zlib = require('node:zlib');
const base = require('@playwright/test');

const desktop = { width: 800, height: 600 };

function existing(file, engine, remedy = 'scripts/setup.sh web installs it') {
  if (!fs.existsSync(file)) throw new Error(`${engine} cannot start: there is no ${file}; ${remedy}`);
  return file;
}

// Each browser below gives newPage(options) → { page, close }: a fresh page,
// which sees no other's cache or service worker, and what ends it.

function playwrightBrowser(args) {
  return async () => {
    const { chromium } = require('playwright-core');
    const browser = await chromium.launch({ executablePath: existing('/usr/bin/chromium', 'Chromium'), args });
    return {
      // Playwright's options (viewport, hasTouch, isMobile) for the context.
      newPage: async (options = {}) => {
        const context = await browser.newContext({ viewport: desktop, ...options });
        return { page: await context.newPage(), close: () => context.close() };
      },
      close: () => browser.close(),
    };
  };
}

// Puppeteer presses one key at a time: "Shift+Tab" is Shift held over Tab;
// and over WebDriver BiDi it knows Space only by its character.
class PuppeteerKeyboard {
  constructor(keyboard) {
    this.keyboard = keyboard;
  }

  async press(combination) {
    const keys = combination.split('+');
    const key = keys.pop().replace(/^Space$/, ' ');
    for (const modifier of keys) await this.keyboard.down(modifier);
    await this.keyboard.press(key);
    for (const modifier of keys.reverse()) await this.keyboard.up(modifier);
  }
}

function puppeteerBrowser(browser, newContext) {
  return {
    newPage: async ({ viewport = desktop } = {}) => {
      const context = await newContext(browser);
      const page = await context.newPage();
      await page.setViewport(viewport);
      return {
        page: {
          goto: (url, options) => page.goto(url, options),
          evaluate: (fn, arg) => page.evaluate(fn, arg),
          waitForFunction: (fn) => page.waitForFunction(fn, { timeout: 30_000 }),
          mouse: page.mouse,
          keyboard: new PuppeteerKeyboard(page.keyboard),
        },
        close: () => context.close(),
      };
    },
    close: () => browser.close(),
  };
}

// A W3C WebDriver session's page: real input through the protocol's actions,
// at whole CSS pixels of the viewport.
function webDriverPage(driver) {
  const { Key } = require('selenium-webdriver');
  const keys = { Tab: Key.TAB, Shift: Key.SHIFT, Space: Key.SPACE, Escape: Key.ESCAPE,
    ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN, ArrowLeft: Key.ARROW_LEFT, ArrowRight: Key.ARROW_RIGHT };
  const key = (name) => {
    if (!keys[name]) throw new Error(`no WebDriver key for "${name}"`);
    return keys[name];
  };
  return {
    goto: (url) => driver.get(url),
    evaluate: (fn, arg) => driver.executeScript(`return (${fn}).apply(null, arguments);`, arg),
    waitForFunction: (fn) => driver.wait(() => driver.executeScript(`return (${fn})();`), 30_000),
    mouse: {
      click: (x, y) => driver.actions({ async: true }).move({ x: Math.round(x), y: Math.round(y), origin: 'viewport' })
        .press().release().perform(),
    },
    keyboard: {
      press: async (combination) => {
        const [last, ...held] = combination.split('+').reverse();
        let actions = driver.actions({ async: true });
        for (const modifier of held) actions = actions.keyDown(key(modifier));
        actions = actions.keyDown(key(last)).keyUp(key(last));
        for (const modifier of held) actions = actions.keyUp(key(modifier));
        await actions.perform();
      },
    },
  };
}

// The driver's server on a free port of 127.0.0.1; each page a session of
// it, a browser of its own, which ends with the page.
async function webDriverBrowser(executable, capabilities) {
  const { Builder, Capabilities } = require('selenium-webdriver');
  const { DriverService } = require('selenium-webdriver/remote');
  const { findFreePort } = require('selenium-webdriver/net/portprober');
  const port = await findFreePort('127.0.0.1');
  const service = new DriverService(executable, { loopback: true, port, args: [`--port=${port}`] });
  const address = await service.start(30_000);
  return {
    newPage: async () => {
      const driver = await new Builder().usingServer(address).withCapabilities(new Capabilities(capabilities)).build();
      return { page: webDriverPage(driver), close: () => driver.quit() };
    },
    close: () => service.kill(),
  };
}

// Chromium 92, as on a Chromebook whose updates have ended: the headless build
// that the npm package chrome-aws-lambda carries, brotli-compressed, unpacked
// once into the web build. The libraries it needs are those of Debian's Chromium.
function chromium92() {
  const packed = existing(path.join(path.dirname(require.resolve('chrome-aws-lambda/package.json')), 'bin/chromium.br'),
    'Chromium 92', 'npm ci in tests/web brings it');
  const executable = path.join(process.env.TEMPERAMENT_WEB_BUILD, 'chromium-92/chromium');
  if (!fs.existsSync(executable)) {
    fs.mkdirSync(path.dirname(executable), { recursive: true });
    const unpacking = `${executable}.${process.pid}`; // workers may unpack it at once
    fs.writeFileSync(unpacking, zlib.brotliDecompressSync(fs.readFileSync(packed)), { mode: 0o755 });
    fs.renameSync(unpacking, executable);
  }
  return executable;
}

// Each engine: its name for people, the family, the build of the program it
// should run (the WebAssembly, or the fallback in JavaScript), and how it
// starts. Only Playwright's Chromium takes touch and a phone's screen.
const engines = {
  chromium: { name: "Debian's Chromium", family: 'Chromium', build: 'WebAssembly', launch: playwrightBrowser([]) },
  'chromium-jitless': {
    name: 'Chromium without WebAssembly (--js-flags=--jitless)', family: 'Chromium', build: 'fallback',
    launch: playwrightBrowser(['--js-flags=--jitless']),
  },
  'chromium-92': {
    name: 'Chromium 92', family: 'Chromium', build: 'fallback',
    launch: async () => {
      const browser = await require('puppeteer-core').launch({ executablePath: chromium92(), headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
          '--disable-sync', '--no-first-run'] });
      return puppeteerBrowser(browser, (b) => b.createIncognitoBrowserContext());
    },
  },
  firefox: {
    name: 'Firefox ESR', family: 'Firefox', build: 'WebAssembly',
    launch: async () => {
      const browser = await require('puppeteer-bidi').launch({ browser: 'firefox', headless: true,
        executablePath: existing('/usr/bin/firefox-esr', 'Firefox ESR') });
      return puppeteerBrowser(browser, (b) => b.createBrowserContext());
    },
  },
  webkitgtk: {
    name: 'WebKitGTK', family: 'WebKit', build: 'WebAssembly',
    launch: () => {
      if (!process.env.DISPLAY) {
        throw new Error('WebKitGTK cannot start without a display: run it on a virtual one (benchmarks/on_virtual_display.sh)');
      }
      return webDriverBrowser(existing('/usr/bin/WebKitWebDriver', 'WebKitGTK'), {
        browserName: 'MiniBrowser',
        'webkitgtk:browserOptions': {
          binary: existing('/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser', 'WebKitGTK'),
          args: ['--automation'],
        },
      });
    },
  },
  'wpe-webkit': {
    name: 'WPE WebKit 2.38', family: 'WebKit', build: 'WebAssembly',
    launch: () => webDriverBrowser(existing('/usr/bin/WPEWebDriver', 'WPE WebKit'), {
      browserName: 'cog',
      'wpe:browserOptions': { binary: existing('/usr/bin/cog', 'WPE WebKit'), args: ['--automation', '--platform=headless'] },
    }),
  },
};

function engineNamed(name) {
  if (!engines[name]) throw new Error(`no engine "${name}" (${Object.keys(engines).join(', ')})`);
  return engines[name];
}

// The suite's test: `page` is a fresh page of the project's engine, on a
// desktop's screen (800 x 600) unless a test asks Playwright's Chromium for
// another.
const test = base.test.extend({
  engine: ['chromium', { option: true, scope: 'worker' }],
  engineBrowser: [async ({ engine }, use) => {
    const browser = await engineNamed(engine).launch();
    try {
      await use(browser);
    } finally {
      await browser.close();
    }
  }, { scope: 'worker', timeout: 60_000 }],
  page: async ({ engineBrowser, viewport, hasTouch, isMobile }, use) => {
    const { page, close } = await engineBrowser.newPage({ viewport, hasTouch, isMobile });
    try {
      await use(page);
    } finally {
      await close();
    }
  },
});

module.exports = { engines, engineNamed, test };
