// Whole games as pupils play them: with the mouse, with a finger on a phone, with the keyboard.
'use strict';

const assert = require('node:assert/strict');
const {after, before, test} = require('node:test');
const h = require('./harness');

let browser;
before(async () => { browser = await h.launch(); });
after(async () => { await browser.close(); });

// Every key pair, in an order that also picks the commander first now and then.
const pairs = h.expected.key.map((row) => [row.battle, row.commander]);

test('a whole game with the mouse: exact verdicts, picked rows leave, restart', async () => {
  const {page, context, problems} = await h.open(browser);
  const pick = async (id, text) => {
    const point = await h.pointAt(page, id, text);
    await page.mouse.click(point.x, point.y);
  };
  assert.equal(await page.title(), h.expected.caption);
  await h.assertFresh(page);
  await h.assertFeedback(page, h.expected.task);
  assert.equal(await h.focused(page), 'feedback');

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
    const box = await page.$eval(`#${id}`, (element) => element.getBoundingClientRect().toJSON());
    await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  }
  await h.assertFeedback(page, last);
  await page.click('#restart');
  await h.assertFresh(page);
  await h.assertFeedback(page, '');
  assert.equal(await h.focused(page), h.ids.battles);
  assert.deepEqual(problems, []);
  await context.close();
});

test('on a phone: the lists stack legibly, a tap picks, a swipe only scrolls', async () => {
  const width = 360;
  const {page, context} = await h.open(browser, {width, height: 640, touch: true});
  const layout = await page.evaluate(() => {
    const sizes = (selector) => [...document.querySelectorAll(selector)].map((element) => {
      const box = element.getBoundingClientRect();
      return {right: box.right, height: box.height, font: parseFloat(getComputedStyle(element).fontSize)};
    });
    return {scrollWidth: document.documentElement.scrollWidth, rows: sizes('[role=option]'),
      controls: sizes('.control')};
  });
  assert.ok(layout.scrollWidth <= width, `the page is ${layout.scrollWidth} px wide`);
  for (const box of [...layout.rows, ...layout.controls]) {
    assert.ok(box.right <= width && box.font >= 14, JSON.stringify(box));
  }
  assert.ok(layout.rows.every((row) => row.height >= 24), 'rows shorter than 24 px');
  assert.ok(layout.controls.every((control) => control.height >= 24), 'controls shorter than 24 px');

  // A swipe up the battle list scrolls it and picks nothing.
  const list = await page.$eval('#battles', (element) => element.getBoundingClientRect().toJSON());
  const x = list.x + list.width / 2;
  await page.touchscreen.touchStart(x, list.y + list.height - 20);
  for (let step = 1; step <= 10; ++step) {
    await page.touchscreen.touchMove(x, list.y + list.height - 20 - step * 15);
  }
  await page.touchscreen.touchEnd();
  await page.waitForFunction(() => document.getElementById('battles').scrollTop > 0);
  assert.equal((await h.list(page, h.ids.battles)).selected, -1);
  await h.assertFeedback(page, h.expected.task);

  const tap = async (id, text) => {
    const point = await h.pointAt(page, id, text);
    await page.touchscreen.tap(point.x, point.y);
  };
  await tap(h.ids.battles, 'Тутраканска операция');
  await tap(h.ids.commanders, 'ген. Пантелей Киселов');
  await h.assertFeedback(page, h.right('Тутраканска операция', 'ген. Пантелей Киселов'));
  await tap(h.ids.battles, 'Битка при Дойран');
  await tap(h.ids.commanders, 'хан Крум');
  await h.assertFeedback(page, h.wrong('Битка при Дойран', 'хан Крум'));
  await context.close();
});

test('keyboard only: Tab order, arrows and letters browse, Space and Enter pick', async () => {
  const {page, context} = await h.open(browser);
  const key = (name) => page.keyboard.press(name);
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
  await h.typeLetter(page, 'Л');
  assert.equal(await cursorRow(h.ids.battles), 'Лозенградска операция');
  await h.typeLetter(page, 'л');
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
  const caret = () => page.$eval('#feedback', (box) => box.selectionStart);
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
  await context.close();
});
