// What every browser test shares: the engine under test (BITKI_ENGINE: chromium, firefox or
// webkit) behind one adapter, a fresh tab of bitki.html, and the page's state read the way a test
// compares it. Tests drive a tab only through the adapter, so each scenario is written once.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');
const {pathToFileURL} = require('node:url');

function need(name) {
  try {
    return require(name);
  } catch (error) {
    throw new Error(`${name} is missing: run npm ci in ${process.env.NODE_PATH}/.. (build.sh does)`);
  }
}

const html = process.env.BITKI_HTML;
const expected = JSON.parse(fs.readFileSync(process.env.BITKI_EXPECTED, 'utf8'));
const pageUrl = pathToFileURL(html).href;
const engine = process.env.BITKI_ENGINE || 'chromium';
const axeSource = () => fs.readFileSync(require.resolve('axe-core/axe.min.js'), 'utf8');

// What only some engines let a test see or do, and why the others cannot.
const missing = {
  tree: {firefox: 'its accessibility tree is reachable only over CDP', webkit: 'WebKitWebDriver shows no accessibility tree'},
  throttling: {firefox: 'CPU throttling exists only over CDP', webkit: 'WebKitWebDriver cannot slow the CPU'},
  forcedColours: {firefox: 'forced colours are emulated only over CDP', webkit: 'WebKitWebDriver cannot emulate forced colours'},
  swipe: {firefox: 'a touch swipe over WebDriver BiDi does not scroll', webkit: 'WebKitWebDriver has no touch input'},
  requests: {webkit: 'WebKitWebDriver reports neither the requests of a tab nor its console'},
  // Seen on Debian 13 (WebKitGTK 2.52), 2 of 4 runs; on Debian 12's 2.50 it passes.
  manyWorkers: {webkit: 'MiniBrowser loses its WebDriver session during four folders\' workers on one site'},
  installability: {firefox: 'only Chromium\'s DevTools protocol reports whether a page installs',
    webkit: 'only Chromium\'s DevTools protocol reports whether a page installs'},
};
// A test's option to skip a check that this engine cannot make: {skip: reason} or {}.
function only(feature) {
  const reason = missing[feature][engine];
  return reason ? {skip: `${engine}: ${reason}`} : {};
}
const can = (feature) => !missing[feature][engine];

// Chromium and Firefox through puppeteer-core (CDP and WebDriver BiDi).
class PuppeteerTab {
  constructor(page, context) {
    this.page = page;
    this.context = context;
    this.requests = [];
    this.problems = [];
    page.on('request', (request) => this.requests.push(request.url()));
    page.on('console', (message) => {
      if (message.type() === 'error' || message.type() === 'warn') {
        this.problems.push(message.text());
      }
    });
    page.on('pageerror', (error) => this.problems.push(error.message));
  }

  static async launch() {
    const puppeteer = need('puppeteer-core');
    if (engine === 'firefox') {
      return puppeteer.launch({browser: 'firefox', executablePath: process.env.BITKI_FIREFOX, headless: true});
    }
    return puppeteer.launch({
      executablePath: process.env.BITKI_CHROMIUM || '/usr/bin/chromium',
      headless: true,
      // Root needs --no-sandbox; the rest keeps Chromium from reaching for the network.
      args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
        '--disable-component-update', '--disable-sync', '--disable-features=Translate'],
    });
  }

  // A tab of its own fresh profile; with "installing", of the browser's own, as a page must be
  // to install (Chromium does not install from a profile that forgets).
  static async open(browser, {width, height, touch, installing}) {
    const context = installing ? null : await browser.createBrowserContext();
    const page = await (context || browser).newPage();
    await page.setViewport({width, height, hasTouch: touch, isMobile: touch});
    return new PuppeteerTab(page, context);
  }

  // Loading: waits for the load event unless told only to start it.
  async goto(url, {wait = true} = {}) {
    const loading = this.page.goto(url, {waitUntil: 'load'});
    if (wait) {
      await loading;
    } else {
      loading.catch(() => {});
    }
  }

  reload() { return this.page.reload({waitUntil: 'load'}); }
  evaluate(fn, ...args) { return this.page.evaluate(fn, ...args); }
  title() { return this.page.title(); }
  waitFor(fn, ...args) { return this.page.waitForFunction(fn, {polling: 20}, ...args); }
  click(x, y) { return this.page.mouse.click(x, y); }
  tap(x, y) { return this.page.touchscreen.tap(x, y); }

  async swipe(x, from, to) {
    await this.page.touchscreen.touchStart(x, from);
    for (let step = 1; step <= 10; ++step) {
      await this.page.touchscreen.touchMove(x, from + (to - from) * step / 10);
    }
    await this.page.touchscreen.touchEnd();
  }

  key(name) { return this.page.keyboard.press(name === 'Space' ? ' ' : name); }

  // A letter typed on a Bulgarian keyboard. Chromium's own keyboard knows only US keys and would
  // insert the text without any key event; its protocol sends the real key.
  async letter(letter) {
    if (engine !== 'chromium') {
      await this.page.keyboard.type(letter);
      return;
    }
    const session = await this.page.createCDPSession();
    for (const type of ['keyDown', 'keyUp']) {
      await session.send('Input.dispatchKeyEvent', {type, key: letter, text: type === 'keyDown' ? letter : undefined});
    }
    await session.detach();
  }

  async axe() {
    await this.page.addScriptTag({content: axeSource()});
    return this.page.evaluate(() => axe.run(document).then((result) => result.violations));
  }

  cdp() { return this.page.createCDPSession(); }
  close() { return (this.context || this.page).close(); }
}

// WebKit: WebKitWebDriver starts MiniBrowser (on an X display) and selenium-webdriver speaks W3C
// WebDriver to it. One browser serves every tab of a test file: each open loads the page anew.
class WebKitTab {
  constructor(browser) {
    this.driver = browser.driver;
    this.requests = null;
    this.problems = null;
  }

  static async launch() {
    const {Builder} = need('selenium-webdriver');
    const {DriverService} = need('selenium-webdriver/remote');
    const port = await need('selenium-webdriver/net/portprober').findFreePort();
    // The service starts the driver and waits until it answers.
    const service = new DriverService(process.env.BITKI_WEBKIT_DRIVER, {port, args: [`--port=${port}`], loopback: true});
    const driver = await new Builder()
      .usingServer(await service.start(10000))
      .withCapabilities({
        'browserName': 'MiniBrowser',
        // A page's loading is the test's to wait for: some tests act while it loads.
        'pageLoadStrategy': 'none',
        'webkitgtk:browserOptions': {binary: process.env.BITKI_MINIBROWSER, args: ['--automation']},
      })
      .build();
    return {
      driver,
      close: async () => {
        await driver.quit().catch(() => {});
        await service.kill();
      },
    };
  }

  static async open(browser, {width, height}) {
    const tab = new WebKitTab(browser);
    await tab.goto('about:blank');
    // The window's frame and toolbar take their share: size the window so that the view is as asked.
    const window = tab.driver.manage().window();
    await window.setRect({width, height});
    const inner = await tab.evaluate(() => [innerWidth, innerHeight]);
    await window.setRect({width: 2 * width - inner[0], height: 2 * height - inner[1]});
    // MiniBrowser's window is never narrower than its toolbar: a phone's screen is then a frame of
    // that size at the window's corner, which lays the page out by its own width.
    if ((await tab.evaluate(() => innerWidth)) > width) {
      tab.phone = {width, height};
    }
    return tab;
  }

  // Pages load on their own here (some tests act while one loads): a mark on the page before
  // tells when the next one has taken its place; a phone's frame is entered once it has.
  async load(navigate, wait) {
    await this.driver.switchTo().defaultContent();
    await this.driver.executeScript('window.bitkiLeaving = true').catch(() => {});
    await navigate();
    const arrived = async () => {
      await this.driver.switchTo().defaultContent();
      if (!(await this.driver.executeScript('return !window.bitkiLeaving'))) {
        return false;
      }
      if (this.phone) {
        // The frame's first document is an empty one, complete at once, that the page replaces.
        await this.driver.switchTo().frame(0);
        if (await this.driver.executeScript('return document.URL === "about:blank"')) {
          return false;
        }
      }
      return !wait || (await this.driver.executeScript('return document.readyState === "complete"'));
    };
    await this.driver.wait(() => arrived().catch(() => false), 10000, 'the page did not arrive');
  }

  goto(url, {wait = true} = {}) {
    if (this.phone) {
      const frame = `<!DOCTYPE html><body style="margin:0"><iframe src="${url}" style="border:0;display:block;`
        + `width:${this.phone.width}px;height:${this.phone.height}px"></iframe>`;
      this.screen ??= path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'bitki-phone-')), 'phone.html');
      fs.writeFileSync(this.screen, frame);
      url = pathToFileURL(this.screen).href;
    }
    return this.load(() => this.driver.get(url), wait);
  }

  reload() { return this.load(() => this.driver.navigate().refresh(), true); }

  // A function of the test, run in the page with its arguments. WebKit now and then gives a
  // phone's frame a new handle after the test has entered it: the frame is entered again then.
  async evaluate(fn, ...args) {
    const script = `return (${fn}).apply(null, arguments)`;
    try {
      return await this.driver.executeScript(script, ...args);
    } catch (error) {
      if (!this.phone || error.name !== 'NoSuchWindowError') {
        throw error;
      }
      await this.driver.switchTo().defaultContent();
      await this.driver.switchTo().frame(0);
      return this.driver.executeScript(script, ...args);
    }
  }

  title() { return this.driver.getTitle(); }

  waitFor(fn, ...args) {
    return this.driver.wait(() => this.evaluate(fn, ...args).catch(() => false), 10000, `waiting for ${fn}`);
  }

  click(x, y) {
    const {Origin} = need('selenium-webdriver');
    return this.driver.actions({async: true}).move({x: Math.round(x), y: Math.round(y), origin: Origin.VIEWPORT})
      .press().release().perform();
  }

  // No touch input here: a tap is a click, as the page sees a tap.
  tap(x, y) { return this.click(x, y); }

  key(name) {
    const {Key} = need('selenium-webdriver');
    const keys = {Tab: Key.TAB, Enter: Key.ENTER, Space: ' ', ArrowUp: Key.ARROW_UP, ArrowDown: Key.ARROW_DOWN,
      Home: Key.HOME, End: Key.END, PageUp: Key.PAGE_UP, PageDown: Key.PAGE_DOWN};
    const key = keys[name] || name;
    return this.driver.actions({async: true}).keyDown(key).keyUp(key).perform();
  }

  letter(letter) { return this.key(letter); }

  async axe() {
    await this.driver.executeScript(axeSource());
    return this.driver.executeAsyncScript('const done = arguments[arguments.length - 1];'
      + 'axe.run(document).then((result) => done(result.violations));');
  }

  async close() {
    if (this.screen) {
      fs.rmSync(path.dirname(this.screen), {recursive: true, force: true});
    }
    await this.driver.switchTo().defaultContent();
    await this.driver.get('about:blank');
  }
}

const Tab = engine === 'webkit' ? WebKitTab : PuppeteerTab;

function launch() {
  return Tab.launch();
}

// A new tab, with nothing loaded yet.
function tab(browser, {width = 800, height = 600, touch = false, installing = false} = {}) {
  return Tab.open(browser, {width, height, touch, installing});
}

// A tab of the page, loaded and started: the code has taken over the drawn lists.
// A fresh tab of the page, started, with the focus it opens with: on the box, unless the page
// stands in a frame of another (WebKit's phone), whose focus it leaves alone.
async function open(browser, {url = pageUrl, ...size} = {}) {
  const opened = await tab(browser, size);
  await opened.goto(url);
  await started(opened);
  await opened.waitFor(() => window !== top || (document.activeElement && document.activeElement.id === 'feedback'));
  return opened;
}

function started(tab) {
  return tab.waitFor(() => typeof Module !== 'undefined' && Module.calledRun);
}

// What a web site holds beside the page, from the page's build, and the worker a release adds.
const site = ['bitki.webmanifest', 'bitki-192.png', 'bitki-512.png', 'bitki-maskable.png'];
const worker = 'bitki-worker.js';

// A school's web site of its own (a new origin each time, so no worker carries over): release
// folders in sub-folders of it ({'/7a/bitki/': folder, ...}; one folder alone goes into one such
// sub-folder, never to the root), and what it was asked for. With clean set it is a host that
// serves x.html as x and sends the first address to the second. With down set, the network is
// gone: every connection is cut.
async function serve(folders, {clean = false} = {}) {
  if (typeof folders === 'string') {
    folders = {'/history/2026/bitki/': folders};
  }
  const served = {asked: [], down: false};
  served.server = http.createServer((request, response) => {
    if (served.down) {
      return request.socket.destroy();
    }
    served.asked.push(request.url);
    const {pathname, search} = new URL(request.url, 'http://host');
    const where = Object.keys(folders).find((prefix) => pathname.startsWith(prefix));
    const asked = where === undefined ? '/' : decodeURIComponent(pathname.slice(where.length));
    // As many hosts do, the folder's index page only at the folder's own address.
    const moved = ['index.html', 'index'].includes(asked) ? '' : clean && asked.endsWith('.html') ? asked.slice(0, -5) : null;
    if (moved !== null) {
      return response.writeHead(301, {Location: where + moved + search}).end();
    }
    const name = asked === '' ? 'index.html' : clean && !path.extname(asked) ? `${asked}.html` : asked;
    const file = !name.includes('/') && path.join(folders[where], name);
    const types = {'.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.png': 'image/png',
      '.webmanifest': 'application/manifest+json'};
    return file && fs.existsSync(file)
      ? response.writeHead(200, {'Content-Type': types[path.extname(name)] || 'application/octet-stream'}).end(fs.readFileSync(file))
      : response.writeHead(404).end();
  });
  await new Promise((resolve) => served.server.listen(0, '127.0.0.1', resolve));
  served.origin = `http://127.0.0.1:${served.server.address().port}`;
  served.url = served.origin + Object.keys(folders)[0];
  return served;
}

// What a tab asked for beyond the page itself (a data: address asks no one).
function askedBeyond(tab, url) {
  return tab.requests.filter((request) => request !== url && !request.startsWith('data:'));
}

const ids = {battles: 'battles', commanders: 'commanders'};

// What the user sees of a list: its rows, the selected one, the cursor row.
function list(tab, id) {
  return tab.evaluate((selector) => {
    const element = document.getElementById(selector);
    const rows = [...element.querySelectorAll('[role=option]')];
    return {
      rows: rows.map((row) => row.textContent),
      selected: rows.findIndex((row) => row.getAttribute('aria-selected') === 'true'),
      cursor: rows.findIndex((row) => row.id && row.id === element.getAttribute('aria-activedescendant')),
    };
  }, id);
}

// The feedback box's text exactly as the quiz wrote it, and what the page shows of it.
function feedback(tab) {
  return tab.evaluate(() => ({
    exact: Module.UTF8ToString(Module._bitki_text(0)),
    shown: document.getElementById('feedback').value,
  }));
}

function focused(tab) {
  return tab.evaluate(() => document.activeElement && document.activeElement.id);
}

// Where an element is on the screen, scrolled into view.
function box(tab, selector) {
  return tab.evaluate((wanted) => {
    const element = document.querySelector(wanted);
    element.scrollIntoView({block: 'nearest'});
    const {x, y, width, height} = element.getBoundingClientRect();
    return {x, y, width, height};
  }, selector);
}

// A row's centre, scrolled into view, for the mouse or a finger.
async function pointAt(tab, id, text) {
  const point = await tab.evaluate((list, wanted) => {
    const option = [...document.querySelectorAll(`#${list} [role=option]`)].find((row) => row.textContent === wanted);
    if (!option) {
      return null;
    }
    option.scrollIntoView({block: 'nearest'});
    const {left, top, width, height} = option.getBoundingClientRect();
    return {x: left + width / 2, y: top + height / 2};
  }, id, text);
  assert.ok(point, `${text} is not in the list`);
  return point;
}

const right = (battle, commander) =>
  expected.right + battle + ' ' + commander + '\r\n' + expected.key.find((row) => row.battle === battle).description;
const wrong = (battle, commander) => expected.wrong + battle + ' ' + commander + '\r\n';

// The exact text, and the page showing it with LF line breaks as a text area does.
async function assertFeedback(tab, text) {
  const shown = await feedback(tab);
  assert.equal(shown.exact, text);
  assert.equal(shown.shown, text.replace(/\r\n/g, '\n'));
}

// Both lists full, in the desktop's order, nothing picked.
async function assertFresh(tab) {
  for (const [id, rows] of [[ids.battles, expected.battles], [ids.commanders, expected.commanders]]) {
    const shown = await list(tab, id);
    assert.deepEqual(shown.rows, rows);
    assert.equal(shown.selected, -1);
  }
}

module.exports = {engine, only, can, launch, tab, open, started, site, worker, serve, askedBeyond, list, feedback, focused, box, pointAt, right, wrong,
  assertFeedback, assertFresh, expected, pageUrl, html, ids};
