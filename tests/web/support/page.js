// The page as the tests see it: opened fresh, driven with real mouse clicks
// and key presses, and read back from its elements into the facts that the
// screen text is made of (tests/web/screen_text.cpp writes it).
const fs = require('node:fs');
const path = require('node:path');

const screensFolder = path.join(__dirname, '../../screens');
const url = (page) => new URL(page, process.env.TEMPERAMENT_URL).href;
const shipped = () => url('site/');
const logged = () => url('tests/web/logged/');

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

// Opens a page and waits for its window; the Clicks of the start-up (Load's)
// are not a user's.
async function open(page, address = logged()) {
  await page.goto(address);
  await page.locator('main [data-member]').first().waitFor({ state: 'attached' });
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
      visible: element.checkVisibility(),
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
    clicks: typeof Module.takeClicks === 'function' ? Module.takeClicks() : 'none',
  };
}

const keys = {
  Tab: 'Tab', 'Shift+Tab': 'Shift+Tab', Space: 'Space', Up: 'ArrowUp', Down: 'ArrowDown',
  Left: 'ArrowLeft', Right: 'ArrowRight', Escape: 'Escape',
};

// A scenario's actions ("click Option1(2)", "key Shift+Tab") as a user's.
class Driver {
  constructor(page) {
    this.page = page;
    this.centres = new Map(); // controls never move
  }

  async perform(action) {
    if (action === 'start') return;
    const [verb, what] = [action.slice(0, action.indexOf(' ')), action.slice(action.indexOf(' ') + 1)];
    if (verb === 'click') {
      const { x, y } = await this.centre(what);
      await this.page.mouse.click(x, y);
    } else if (verb === 'key' && keys[what]) {
      await this.page.keyboard.press(keys[what]);
    } else {
      throw new Error(`not an action: "${action}"`);
    }
  }

  async centre(member) {
    if (!this.centres.has(member)) {
      const box = await this.page.locator(`main [data-member="${member}"]`).boundingBox();
      if (!box) throw new Error(`${member} is not shown: it cannot be clicked`);
      this.centres.set(member, { x: box.x + box.width / 2, y: box.y + box.height / 2 });
    }
    return this.centres.get(member);
  }

  read() {
    return this.page.evaluate(readPage);
  }
}

module.exports = { screensFolder, shipped, logged, screenText, scenarioNames, open, readPage, Driver };
