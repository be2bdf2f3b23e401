// From the first paint to the quiz's code being ready, and from a right pair tapped at the first
// paint to its verdict, on a phone-sized page in Chromium at full speed and at 4x CPU slowdown
// (a low-end phone): medians of cold loads in new tabs.
//   node bench/web_ready.js bitki.html LOADS
'use strict';

const {pathToFileURL} = require('node:url');
const {launch, median} = require('./chromium');

const [html, loadsText = '15'] = process.argv.slice(2);
const loads = Number(loadsText);


// Runs in the page before its own scripts: notes when the module has run its postRun callbacks
// (the page's own first: it plays what was tapped before), without changing what the page does.
function noteReady() {
  let module;
  Object.defineProperty(window, 'Module', {
    configurable: true,
    get() { return module; },
    set(value) {
      if (value === module) {
        return;
      }
      module = value;
      let callbacks = [];
      Object.defineProperty(module, 'postRun', {
        configurable: true,
        get() { return callbacks; },
        set(given) {
          callbacks = [].concat(given, () => { window.bitkiReadyAt = performance.now(); });
        },
      });
    },
  });
}

async function load(browser, rate, tapAtFirstPaint) {
  const tab = await browser.newPage();
  await tab.setViewport({width: 360, height: 640, hasTouch: true, isMobile: true});
  await tab.setCacheEnabled(false);
  const session = await tab.createCDPSession();
  await session.send('Emulation.setCPUThrottlingRate', {rate});
  await tab.evaluateOnNewDocument(noteReady);
  tab.goto(pathToFileURL(html).href, {waitUntil: 'load'}).catch(() => {});
  const paint = await (await tab.waitForFunction(() => {
    const entry = performance.getEntriesByName('first-contentful-paint')[0];
    return entry && entry.startTime;
  }, {polling: 4})).jsonValue();
  let verdict;
  if (tapAtFirstPaint) {
    for (const [list, text] of [['battles', 'Битка при Ахелой'], ['commanders', 'цар Симеон']]) {
      const point = await tab.evaluate((id, wanted) => {
        const row = [...document.querySelectorAll(`#${id} [role=option]`)].find((option) => option.textContent === wanted);
        row.scrollIntoView({block: 'nearest'});
        const box = row.getBoundingClientRect();
        return {x: box.left + box.width / 2, y: box.top + box.height / 2};
      }, list, text);
      await tab.touchscreen.tap(point.x, point.y);
    }
    verdict = await (await tab.waitForFunction(
      () => document.getElementById('feedback').value.startsWith('Вярно') && performance.now(), {polling: 4})).jsonValue();
  }
  const ready = await (await tab.waitForFunction(() => window.bitkiReadyAt, {polling: 4})).jsonValue();
  await tab.close();
  return {ready: ready - paint, verdict: verdict - paint};
}

(async () => {
  const browser = await launch();
  await load(browser, 1, false);
  console.log(`bitki.html at 360 x 640, median of ${loads} cold loads per figure, times from the first paint:`);
  for (const rate of [1, 4]) {
    const ready = [];
    const verdict = [];
    for (let run = 0; run < loads; ++run) {
      ready.push((await load(browser, rate, false)).ready);
      verdict.push((await load(browser, rate, true)).verdict);
    }
    console.log(`  ${rate}x CPU: code ready ${median(ready).toFixed(0)} ms (${Math.min(...ready).toFixed(0)}-${Math.max(...ready).toFixed(0)}),`
      + ` pair tapped at the first paint judged ${median(verdict).toFixed(0)} ms (${Math.min(...verdict).toFixed(0)}-${Math.max(...verdict).toFixed(0)})`);
  }
  await browser.close();
})();
