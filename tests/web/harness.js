// What every browser test shares: one Chromium, a fresh page of bitki.html in a context of its
// own, and the page's state read the way a test compares it.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const path = require('node:path');
const {pathToFileURL} = require('node:url');

let puppeteer;
try {
  puppeteer = require('puppeteer-core');
} catch (error) {
  throw new Error(`puppeteer-core is missing: run npm ci in ${process.env.NODE_PATH}/.. (build.sh does)`);
}

const html = process.env.BITKI_HTML;
const expected = JSON.parse(fs.readFileSync(process.env.BITKI_EXPECTED, 'utf8'));
const pageUrl = pathToFileURL(html).href;

async function launch() {
  return puppeteer.launch({
    executablePath: process.env.BITKI_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    // Root needs --no-sandbox; the rest keeps Chromium from reaching for the network.
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', '--disable-features=Translate'],
  });
}

// A page in its own context, loaded and started: the code has taken over the drawn lists.
async function open(browser, {width = 800, height = 600, touch = false, url = pageUrl} = {}) {
  const context = await browser.createBrowserContext();
  const page = await context.newPage();
  await page.setViewport({width, height, hasTouch: touch, isMobile: touch});
  const requests = [];
  const problems = [];
  page.on('request', (request) => requests.push(request.url()));
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warn') {
      problems.push(message.text());
    }
  });
  page.on('pageerror', (error) => problems.push(error.message));
  await page.goto(url, {waitUntil: 'load'});
  await page.waitForFunction(() => typeof Module !== 'undefined' && Module.calledRun);
  return {page, context, requests, problems};
}

const ids = {battles: 'battles', commanders: 'commanders'};

// What the user sees of a list: its rows, the selected one, the cursor row.
function list(page, id) {
  return page.$eval(`#${id}`, (element) => {
    const rows = [...element.querySelectorAll('[role=option]')];
    return {
      rows: rows.map((row) => row.textContent),
      selected: rows.findIndex((row) => row.getAttribute('aria-selected') === 'true'),
      cursor: rows.findIndex((row) => row.id && row.id === element.getAttribute('aria-activedescendant')),
    };
  });
}

// The feedback box's text exactly as the quiz wrote it, and what the page shows of it.
async function feedback(page) {
  return page.evaluate(() => ({
    exact: Module.UTF8ToString(Module._bitki_text(0)),
    shown: document.getElementById('feedback').value,
  }));
}

// A letter typed on a Bulgarian keyboard: puppeteer's own keyboard knows only US keys and would
// insert the text without any key event.
async function typeLetter(page, letter) {
  const session = await page.createCDPSession();
  for (const type of ['keyDown', 'keyUp']) {
    await session.send('Input.dispatchKeyEvent', {type, key: letter, text: type === 'keyDown' ? letter : undefined});
  }
  await session.detach();
}

function focused(page) {
  return page.evaluate(() => document.activeElement && document.activeElement.id);
}

function rowOf(page, id, text) {
  return page.$$eval(`#${id} [role=option]`, (rows, wanted) => rows.findIndex((row) => row.textContent === wanted), text);
}

// A row's centre, scrolled into view, for the mouse or a finger.
async function pointAt(page, id, text) {
  const row = await rowOf(page, id, text);
  assert.ok(row >= 0, `${text} is not in the list`);
  return page.$eval(`#${id}`, (element, index) => {
    const option = element.querySelectorAll('[role=option]')[index];
    option.scrollIntoView({block: 'nearest'});
    const box = option.getBoundingClientRect();
    return {x: box.left + box.width / 2, y: box.top + box.height / 2};
  }, row);
}

const right = (battle, commander) =>
  expected.right + battle + ' ' + commander + '\r\n' + expected.key.find((row) => row.battle === battle).description;
const wrong = (battle, commander) => expected.wrong + battle + ' ' + commander + '\r\n';

// The exact text, and the page showing it with LF line breaks as a text area does.
async function assertFeedback(page, text) {
  const box = await feedback(page);
  assert.equal(box.exact, text);
  assert.equal(box.shown, text.replace(/\r\n/g, '\n'));
}

// Both lists full, in the desktop's order, nothing picked.
async function assertFresh(page) {
  for (const [id, rows] of [[ids.battles, expected.battles], [ids.commanders, expected.commanders]]) {
    const shown = await list(page, id);
    assert.deepEqual(shown.rows, rows);
    assert.equal(shown.selected, -1);
  }
}

module.exports = {launch, open, list, feedback, focused, typeLetter, rowOf, pointAt, right, wrong, assertFeedback,
  assertFresh, expected, pageUrl, html, ids};
