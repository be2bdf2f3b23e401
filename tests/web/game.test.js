// Whole games as pupils play them: with the mouse, with a finger on a phone, with the keyboard.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const http = require('node:http');
const {after, before, test} = require('node:test');
const h = require('./harness');

let browser;
before(async () => { browser = await h.launch(); });
after(async () => { await browser.close(); });

// Every key pair, in an order that also picks the commander first now and then.
const pairs = h.expected.key.map((row) => [row.battle, row.commander]);

test('a whole game with the mouse: exact verdicts, picked rows leave, restart', async () => {
  const page = await h.open(browser);
  const pick = async (id, text) => {
    const point = await h.pointAt(page, id, text);
    await page.click(point.x, point.y);
  };
  assert.equal(await page.title(), h.expected.caption);
  assert.match(await page.evaluate(() => document.querySelector('meta[name=description]').content), /^Викторина по история: /);
  await h.assertFresh(page);
  await h.assertFeedback(page, h.expected.task);

  // One pick alone judges nothing.
  await pick(h.ids.battles, 'Битка при Ахелой');
  assert.equal((await h.list(page, h.ids.battles)).selected, 1);
  await h.assertFeedback(page, h.expected.task);
  await pick(h.ids.commanders, 'цар Симеон');
  await h.assertFeedback(page, h.right('Битка при Ахелой', 'цар Симеон'));
  assert.equal(await h.focused(page), 'feedback');
  for (const id of [h.ids.battles, h.ids.commanders]) {
    const shown = await h.list(page, id);
    assert.equal(shown.rows.length, 9);
    assert.equal(shown.selected, -1);
  }

  // Wrong, commander first: both leave, and their partners can no longer be matched.
  await pick(h.ids.commanders, 'цар Калоян');
  await pick(h.ids.battles, 'Битка при Клокотница');
  await h.assertFeedback(page, h.wrong('Битка при Клокотница', 'цар Калоян'));
  assert.ok(!(await h.list(page, h.ids.battles)).rows.includes('Битка при Клокотница'));

  const left = pairs.filter(([battle]) => battle !== 'Битка при Ахелой' && battle !== 'Битка при Клокотница'
    && battle !== 'Битка при Адрианопол');
  for (const [index, [battle, commander]] of left.entries()) {
    if (index % 2) {
      await pick(h.ids.commanders, commander);
      await pick(h.ids.battles, battle);
    } else {
      await pick(h.ids.battles, battle);
      await pick(h.ids.commanders, commander);
    }
    await h.assertFeedback(page, h.right(battle, commander));
  }
  await pick(h.ids.battles, 'Битка при Адрианопол');
  await pick(h.ids.commanders, 'цар Иван Асен II');
  const last = h.wrong('Битка при Адрианопол', 'цар Иван Асен II');
  await h.assertFeedback(page, last);
  assert.deepEqual((await h.list(page, h.ids.battles)).rows, []);
  assert.deepEqual((await h.list(page, h.ids.commanders)).rows, []);

  // Clicks on the emptied lists change nothing; the button starts again.
  for (const id of [h.ids.battles, h.ids.commanders]) {
    const box = await h.box(page, `#${id}`);
    await page.click(box.x + box.width / 2, box.y + box.height / 2);
  }
  await h.assertFeedback(page, last);
  // A reload starts the game afresh: no text the browser kept from the page before.
  await page.reload();
  await h.started(page);
  await h.assertFresh(page);
  await h.assertFeedback(page, h.expected.task);
  const button = await h.box(page, '#restart');
  await page.click(button.x + button.width / 2, button.y + button.height / 2);
  await h.assertFresh(page);
  await h.assertFeedback(page, '');
  assert.equal(await h.focused(page), h.ids.battles);
  if (page.problems) {
    assert.deepEqual(page.problems, []);
  }
  await page.close();
});

test('on a phone: the lists stack legibly, a tap picks, a swipe only scrolls', async (t) => {
  // A small Android phone, and a current iPhone.
  for (const [width, height] of [[360, 640], [390, 844]]) {
    const page = await h.open(browser, {width, height, touch: true});
    const layout = await page.evaluate(() => {
      const sizes = (selector) => [...document.querySelectorAll(selector)].map((element) => {
        const box = element.getBoundingClientRect();
        return {right: box.right, height: box.height, font: parseFloat(getComputedStyle(element).fontSize)};
      });
      return {scrollWidth: document.documentElement.scrollWidth, rows: sizes('[role=option]'),
        controls: sizes('.control')};
    });
    const at = `at ${width} x ${height}`;
    assert.ok(layout.scrollWidth <= width, `the page is ${layout.scrollWidth} px wide ${at}`);
    for (const box of [...layout.rows, ...layout.controls]) {
      assert.ok(box.right <= width && box.font >= 14, `${JSON.stringify(box)} ${at}`);
    }
    assert.ok(layout.rows.every((row) => row.height >= 24), `rows shorter than 24 px ${at}`);
    assert.ok(layout.controls.every((control) => control.height >= 24), `controls shorter than 24 px ${at}`);

    await t.test(`a swipe up the battle list scrolls it and picks nothing, ${at}`, h.only('swipe'), async () => {
      const list = await h.box(page, '#battles');
      await page.swipe(list.x + list.width / 2, list.y + list.height - 20, list.y + list.height - 170);
      // Where all its rows fit, the list has nothing to scroll.
      await page.waitFor(() => {
        const element = document.getElementById('battles');
        return element.scrollTop > 0 || element.scrollHeight <= element.clientHeight;
      });
      assert.equal((await h.list(page, h.ids.battles)).selected, -1);
      await h.assertFeedback(page, h.expected.task);
    });

    const tap = async (id, text) => {
      const point = await h.pointAt(page, id, text);
      await page.tap(point.x, point.y);
    };
    await tap(h.ids.battles, 'Тутраканска операция');
    await tap(h.ids.commanders, 'ген. Пантелей Киселов');
    await h.assertFeedback(page, h.right('Тутраканска операция', 'ген. Пантелей Киселов'));
    await tap(h.ids.battles, 'Битка при Дойран');
    await tap(h.ids.commanders, 'хан Крум');
    await h.assertFeedback(page, h.wrong('Битка при Дойран', 'хан Крум'));
    await page.close();
  }
});

test('keyboard only: Tab order, arrows and letters browse, Space and Enter pick', async () => {
  const page = await h.open(browser);
  const key = (name) => page.key(name);
  const cursorRow = async (id) => {
    const shown = await h.list(page, id);
    return shown.rows[shown.cursor];
  };

  await key('Tab');
  assert.equal(await h.focused(page), h.ids.battles);
  assert.equal(await cursorRow(h.ids.battles), h.expected.battles[0]);
  for (const name of ['ArrowDown', 'ArrowDown', 'End', 'PageUp', 'Home', 'PageDown', 'ArrowUp']) {
    await key(name);
  }
  await page.letter('Л');
  assert.equal(await cursorRow(h.ids.battles), 'Лозенградска операция');
  await page.letter('л');
  assert.equal(await cursorRow(h.ids.battles), 'Люлебургас - БунарХисар');
  // Browsing judged nothing and picked nothing.
  assert.equal((await h.list(page, h.ids.battles)).selected, -1);
  await h.assertFeedback(page, h.expected.task);

  await key('Space');
  assert.equal((await h.list(page, h.ids.battles)).selected, 7);
  await key('Tab');
  assert.equal(await h.focused(page), h.ids.commanders);
  await key('Home');
  for (let row = 0; row < 3; ++row) {
    await key('ArrowDown');
  }
  assert.equal(await cursorRow(h.ids.commanders), 'ген. Радко Димитриев');
  await h.assertFeedback(page, h.expected.task);
  await key('Enter');
  const verdict = h.right('Люлебургас - БунарХисар', 'ген. Радко Димитриев');
  await h.assertFeedback(page, verdict);
  assert.equal(await h.focused(page), 'feedback');

  // Up and Down read the box by its own lines: the verdict line, then the paragraph.
  const caret = () => page.evaluate(() => document.getElementById('feedback').selectionStart);
  assert.equal(await caret(), 0);
  await key('ArrowDown');
  assert.equal(await caret(), verdict.indexOf('\r\n') + 1);
  await key('ArrowDown');
  assert.equal(await caret(), verdict.indexOf('\r\n') + 1);
  await key('ArrowUp');
  assert.equal(await caret(), 0);

  await key('Tab');
  assert.equal(await h.focused(page), h.ids.battles);
  await key('Tab');
  await key('Tab');
  assert.equal(await h.focused(page), 'restart');
  await key('Enter');
  await h.assertFresh(page);
  await h.assertFeedback(page, '');
  assert.equal(await h.focused(page), h.ids.battles);
  await page.close();
});

test('from the first paint: a pair clicked before the code has started is judged once, in order', async () => {
  // A server that sends the drawn page and its widgets, and holds the quiz's code back until told.
  const page = fs.readFileSync(h.html, 'utf8');
  const cut = page.indexOf('<script type="text/plain" id="code">');
  let release;
  const held = new Promise((resolve) => { release = resolve; });
  const server = http.createServer(async (request, response) => {
    response.writeHead(200, {'Content-Type': 'text/html; charset=utf-8'});
    response.write(page.slice(0, cut));
    await held;
    response.end(page.slice(cut));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const tab = await h.tab(browser);
  try {
    await tab.goto(`http://127.0.0.1:${server.address().port}/bitki.html`, {wait: false});
    await tab.waitFor(() => typeof bitkiPage !== 'undefined');
    const battle = await h.pointAt(tab, h.ids.battles, 'Битка при Ахелой');
    await tab.click(battle.x, battle.y);
    // The cursor moves at once; the pick waits for the game.
    assert.equal((await h.list(tab, h.ids.battles)).cursor, 1);
    const commander = await h.pointAt(tab, h.ids.commanders, 'цар Симеон');
    await tab.click(commander.x, commander.y);
    assert.equal(await tab.evaluate(() => Boolean(Module.calledRun)), false, 'the code had started');
    // Served, the home-screen links are in place while the page is still being read.
    assert.deepEqual(await tab.evaluate(() => [document.readyState,
      [...document.head.querySelectorAll('link[rel=manifest], link[rel=apple-touch-icon]')].map((link) => link.getAttribute('href'))]),
    ['loading', ['bitki.webmanifest', 'bitki-maskable.png']]);
    release();
    await h.started(tab);
    await h.assertFeedback(tab, h.right('Битка при Ахелой', 'цар Симеон'));
    assert.equal(await h.focused(tab), 'feedback');
    for (const id of [h.ids.battles, h.ids.commanders]) {
      assert.equal((await h.list(tab, id)).rows.length, 9);
    }
  } finally {
    release();
    server.close();
    await tab.close();
  }
});
