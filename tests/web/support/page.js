// The page as the tests see it: opened fresh, driven with real mouse clicks
// and key presses, and read back from its elements into the facts that the
// screen text is made of (tests/web/screen_text.cpp writes it).
const fs = require('node:fs');
const path = require('node:path');

const screensFolder = path.join(__dirname, '../../screens');
const url = (page) => new URL(page, process.env.TEMPERAMENT_URL).href;
const shipped = () => url('site/');
const logged = () => url('tests/web/logged/');
// The site as shipped: the web build's, or the one TEMPERAMENT_SITE names;
// and a sub-folder of someone else's web space to host it in.
const site = () => process.env.TEMPERAMENT_SITE ?? path.join(process.env.TEMPERAMENT_WEB_BUILD, 'site');
const subFolder = 'school/psychology/temperament/';

let loading;
// The screen-text module (WebAssembly for Node), given its code directly:
// Emscripten would fetch() a path, which Node's fetch does not take.
function screenText() {
  const module = path.join(process.env.TEMPERAMENT_WEB_BUILD, 'tests/web/screen_text');
  loading ??= require(`${module}.js`)({ wasmBinary: fs.readFileSync(`${module}.wasm`) });
  return loading;
}

function scenarioNames() {
  return fs.readdirSync(screensFolder).filter((name) => name.endsWith('.screens')).sort();
}

// Waits until the program has taken the page over (the page shows its first
// screen before that, from its HTML).
const started = (page) => page.waitForFunction(() => window.Module?.calledRun);

// Opens a page and waits for the program; the Clicks of the start-up
// (Load's) are not a user's.
async function open(page, address = logged()) {
  await page.goto(address);
  await started(page);
  await page.evaluate(() => typeof Module.takeClicks === 'function' && Module.takeClicks());
}

// Runs in the page: every control in the order of the page, which is the tab
// order; its kind from the element that shows it.
function readPage() {
  const kindOf = (element) => {
    if (element.matches('textarea')) return 'TextBox';
    if (element.matches('select')) return 'ListBox';
    if (element.matches('h1')) return 'Label';
    if (element.querySelector('input[type=radio]')) return 'OptionButton';
    if (element.querySelector('input[type=checkbox]')) return 'CheckBox';
    return 'PictureBox';
  };
  const controls = [...document.querySelectorAll('main [data-member]')].map((element) => {
    const kind = kindOf(element);
    const input = element.querySelector('input');
    let mark = ' ';
    if (kind === 'CheckBox') mark = input.indeterminate ? '-' : input.checked ? 'x' : ' ';
    if (kind === 'OptionButton') mark = input.checked ? '*' : ' ';
    return {
      member: element.dataset.member,
      kind,
      // Laid out: what checkVisibility() tells, which old engines lack.
      visible: element.getClientRects().length > 0,
      // A textarea gives its lines with LF; the model's are CR LF.
      text: kind === 'TextBox' ? element.value.replace(/\n/g, '\r\n') : kind === 'PictureBox' ? '' : element.textContent,
      mark,
      items: kind === 'ListBox' ? [...element.options].map((option) => option.textContent) : [],
    };
  });
  const focused = document.activeElement?.closest('main [data-member]');
  return {
    // The title element as set: document.title would collapse its spaces.
    facts: { caption: document.querySelector('title').textContent, focus: focused?.dataset.member ?? '', controls },
    // Only the logged program tells which handlers ran.
    clicks: typeof window.Module?.takeClicks === 'function' ? Module.takeClicks() : null,
  };
}

const keys = {
  Tab: 'Tab', 'Shift+Tab': 'Shift+Tab', Space: 'Space', Up: 'ArrowUp', Down: 'ArrowDown',
  Left: 'ArrowLeft', Right: 'ArrowRight', Escape: 'Escape',
};

// Runs in the page: scrolls the control into view, as a user would before
// clicking it, and gives its centre; null when it is not shown.
function centreOf(member) {
  const element = document.querySelector(`main [data-member="${member}"]`);
  if (!element || element.getClientRects().length === 0) return null;
  element.scrollIntoView({ block: 'nearest' });
  const box = element.getBoundingClientRect();
  return { x: box.x + box.width / 2, y: box.y + box.height / 2 };
}

// A scenario's actions ("click Option1(2)", "key Shift+Tab") as a user's: a
// click is the mouse's, or a finger's tap with `touch`. On a narrow page the
// controls move as others show and hide, so each is found where it is.
class Driver {
  constructor(page, { touch = false } = {}) {
    this.page = page;
    this.touch = touch;
  }

  async perform(action) {
    if (action === 'start') return;
    const [verb, what] = [action.slice(0, action.indexOf(' ')), action.slice(action.indexOf(' ') + 1)];
    if (verb === 'click') {
      const centre = await this.page.evaluate(centreOf, what);
      if (!centre) throw new Error(`${what} is not shown: it cannot be clicked`);
      await (this.touch ? this.page.touchscreen.tap(centre.x, centre.y) : this.page.mouse.click(centre.x, centre.y));
    } else if (verb === 'key' && keys[what]) {
      await this.page.keyboard.press(keys[what]);
    } else {
      throw new Error(`not an action: "${action}"`);
    }
  }

  read() {
    return this.page.evaluate(readPage);
  }
}

// Plays a scenario of tests/screens from a fresh page at `address` (the
// logged program's by default; the shipped one cannot tell its Clicks, and
// its screens are compared without them); after each step, `check` may look
// at the page too.
async function play(page, driver, name, { address = logged(), check = async () => {} } = {}) {
  const text = await screenText();
  const scenario = text.readScenario(path.join(screensFolder, name));
  await open(page, address);
  for (const [i, step] of scenario.steps.entries()) {
    await driver.perform(step.action);
    const { facts, clicks } = await driver.read();
    const difference = text.stepMismatch(step.screen, clicks, facts);
    if (difference) throw new Error(`step ${i + 1} (${step.action}):\n${difference}`);
    await check(step.action);
  }
}

module.exports = { screensFolder, shipped, logged, site, subFolder, screenText, scenarioNames, started, open, play, readPage, Driver };
