// The page as a whole: what assistive technology gets, forced colours, and that it stays one
// file that asks for nothing and keeps nothing.
'use strict';

const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {after, before, test} = require('node:test');
const h = require('./harness');

let browser;
before(async () => { browser = await h.launch(); });
after(async () => { await browser.close(); });

async function axeViolations(tab) {
  const violations = await tab.axe();
  return violations.map((violation) => `${violation.id}: ${violation.nodes.map((node) => node.target).join(' ')}`);
}

// The first node of an accessibility tree, depth first, that the predicate holds for.
const nodes = (node) => [node, ...(node.children || []).flatMap(nodes)];
const find = (root, predicate) => nodes(root).find(predicate);

test('accessibility: axe finds nothing', async () => {
  for (const size of [{width: 800, height: 600}, {width: 360, height: 640, touch: true}]) {
    const tab = await h.open(browser, size);
    assert.deepEqual(await axeViolations(tab), [], `at ${size.width} x ${size.height}`);
    await tab.close();
  }
});

test('accessibility: the tree has the roles, names and rows', h.only('tree'), async () => {
  const tab = await h.open(browser);
  const {page} = tab;
  const tree = () => page.accessibility.snapshot({interestingOnly: false});
  let root = await tree();
  assert.equal(root.name, h.expected.caption);
  const box = find(root, (node) => node.role === 'textbox');
  assert.equal(box.name, h.expected.names.feedback);
  assert.equal(box.description, h.expected.descriptions.feedback);
  assert.ok(box.readonly && box.multiline && box.focused);
  for (const id of [h.ids.battles, h.ids.commanders]) {
    const listbox = find(root, (node) => node.role === 'listbox' && node.name === h.expected.names[id]);
    assert.equal(listbox.description, h.expected.descriptions[id]);
    assert.deepEqual(listbox.children.map((row) => [row.role, row.name]), h.expected[id].map((name) => ['option', name]));
  }
  const button = find(root, (node) => node.role === 'button');
  assert.deepEqual([button.name, button.description], [h.expected.restart, h.expected.descriptions.restart]);
  assert.ok(find(root, (node) => node.role === 'heading' && node.name === h.expected.heading));
  // The answer key and the aphorism are in no tree: only the two pick lists hold rows.
  assert.equal(JSON.stringify(root).includes('Неприятното'), false);

  await page.keyboard.press('Tab');
  await page.keyboard.press('ArrowDown');
  await page.keyboard.press('Space');
  await page.keyboard.press('ArrowDown');
  root = await tree();
  const battles = find(root, (node) => node.role === 'listbox' && node.name === h.expected.names.battles);
  assert.equal(battles.children[1].selected, true);
  assert.equal(battles.children[2].selected, false);
  // The cursor row is the list's active descendant: what a screen reader says as the cursor moves.
  const cdp = await page.createCDPSession();
  const {nodes} = await cdp.send('Accessibility.getFullAXTree');
  const listbox = nodes.find((node) => node.role.value === 'listbox' && node.name.value === h.expected.names.battles);
  const active = listbox.properties.find((property) => property.name === 'activedescendant');
  const cursor = nodes.find((node) => node.backendDOMNodeId === active.value.relatedNodes[0].backendDOMNodeId);
  assert.equal(cursor.name.value, battles.children[2].name);

  // After a verdict the box is focused and reads the verdict first.
  await page.keyboard.press('Tab');
  await page.keyboard.press('Space');
  root = await tree();
  const verdict = find(root, (node) => node.role === 'textbox');
  assert.ok(verdict.focused);
  assert.ok(verdict.value.startsWith(h.expected.wrong + 'Битка при Ахелой ген. Васил Кутинчев\n'));
  assert.equal(verdict.description, undefined);
  await tab.close();
});

test('forced colours: system colours, a visible selection and visible focus', h.only('forcedColours'), async () => {
  const tab = await h.open(browser);
  const {page} = tab;
  // Puppeteer's own emulation knows no forced-colors; the protocol does.
  const session = await page.createCDPSession();
  await session.send('Emulation.setEmulatedMedia', {features: [{name: 'forced-colors', value: 'active'}]});
  await page.keyboard.press('Tab');
  await page.keyboard.press('Space');
  await page.keyboard.press('ArrowDown');
  const look = await page.evaluate(() => {
    const style = (element) => getComputedStyle(element);
    const probe = document.createElement('div');
    document.body.append(probe);
    const system = (colour) => { probe.style.color = colour; return style(probe).color; };
    const rows = document.querySelectorAll('#battles [role=option]');
    const result = {
      highlight: system('Highlight'), highlightText: system('HighlightText'), canvasText: system('CanvasText'),
      selected: {background: style(rows[0]).backgroundColor, color: style(rows[0]).color},
      plain: {background: style(rows[2]).backgroundColor, color: style(rows[2]).color},
      cursor: {style: style(rows[1]).outlineStyle, width: parseFloat(style(rows[1]).outlineWidth),
        colour: style(rows[1]).outlineColor},
      feedback: {color: style(document.getElementById('feedback')).color},
    };
    probe.remove();
    return result;
  });
  assert.deepEqual(look.selected, {background: look.highlight, color: look.highlightText});
  assert.notEqual(look.plain.background, look.highlight);
  assert.equal(look.feedback.color, look.canvasText);
  assert.ok(look.cursor.style !== 'none' && look.cursor.width >= 1, JSON.stringify(look.cursor));

  await page.focus('#feedback');
  const outline = await page.$eval('#feedback', (box) => [getComputedStyle(box).outlineStyle, parseFloat(getComputedStyle(box).outlineWidth)]);
  assert.ok(outline[0] !== 'none' && outline[1] >= 1, JSON.stringify(outline));
  await tab.close();
});

test('one file: from disk or a web server it asks for nothing else and stores nothing', async (t) => {
  // The page copied alone to a web site. Served, it looks beside it for what a home screen needs;
  // alone, it finds none of it and loses nothing else.
  const alone = fs.mkdtempSync(path.join(os.tmpdir(), 'bitki-alone-'));
  fs.copyFileSync(h.html, path.join(alone, 'bitki.html'));
  const site = [h.worker, ...h.site];
  const server = await h.serve(alone);
  const served = `${server.url}bitki.html`;
  try {
    for (const url of [h.pageUrl, served]) {
      const tab = await h.open(browser, {url});
      for (const selector of ['#battles [role=option]', '#commanders [role=option]', '#restart']) {
        const box = await h.box(tab, selector);
        await tab.click(box.x + box.width / 2, box.y + box.height / 2);
      }
      const beside = url === served ? site.map((name) => new URL(name, served).href) : [];
      await t.test(`the tab asks for nothing beyond ${url}${beside.length ? ' and its site\'s files' : ''} and logs no error`,
        h.only('requests'), () => {
          assert.deepEqual(h.askedBeyond(tab, url).filter((request) => !beside.includes(request)), []);
          // The browser's own note of the missing worker.
          assert.deepEqual(tab.problems.filter((problem) => !problem.includes('(404)')), []);
        });
      const stored = await tab.evaluate(async () => ({
        cookies: document.cookie,
        local: localStorage.length,
        session: sessionStorage.length,
        databases: (await indexedDB.databases()).length,
        caches: typeof caches === 'undefined' ? 0 : (await caches.keys()).length,
      }));
      assert.deepEqual(stored, {cookies: '', local: 0, session: 0, databases: 0, caches: 0}, url);
      await tab.close();
    }
    assert.deepEqual(server.asked.filter((request) => !site.includes(path.basename(request))), [new URL(served).pathname]);
  } finally {
    server.server.close();
    fs.rmSync(alone, {recursive: true, force: true});
  }
});
