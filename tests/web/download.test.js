// The release's download page, written beside this build's bitki.html and stand-ins for the other
// editions: what teachers and IT read there, from disk and from a web server, at desktop and
// phone width.
'use strict';

const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {pathToFileURL} = require('node:url');
const {after, before, test} = require('node:test');
const h = require('./harness');

const version = process.env.BITKI_VERSION;
const files = {html: 'bitki.html', exe: `bitki-${version}.exe`, msi: `bitki-${version}.msi`, deb: `bitki_${version}_amd64.deb`,
  buildinfo: `bitki_${version}_amd64.buildinfo`};
const dist = fs.mkdtempSync(path.join(os.tmpdir(), 'bitki-dist-'));
const sha256 = (name) => crypto.createHash('sha256').update(fs.readFileSync(path.join(dist, name))).digest('hex');

// The download page, the worker and SHA256SUMS for the files in the folder, as a release writes them.
function release(releaseVersion, folder = dist) {
  execFileSync(process.env.BITKI_CMAKE, [`-DDIST=${folder}`, `-DVERSION=${releaseVersion}`,
    '-DHOMEPAGE=https://www.bitki.example/', '-DSIGNED=0', `-DHTML=${files.html}`, `-DMSI=${files.msi}`,
    `-DEXE=${files.exe}`, `-DDEB=${files.deb}`, `-DBUILDINFO=${files.buildinfo}`, '-DDEB_SYSTEMS=Debian 12 и 13',
    `-DSITE=${h.site.join(';')}`, '-P', process.env.BITKI_DOWNLOAD_PAGE],
  {env: {...process.env, SOURCE_DATE_EPOCH: '1796795073'}});
}

let browser;
before(async () => {
  for (const name of [files.html, ...h.site]) {
    fs.copyFileSync(path.join(path.dirname(h.html), name), path.join(dist, name));
  }
  for (const [kind, name] of Object.entries(files).filter(([kind]) => kind !== 'html')) {
    fs.writeFileSync(path.join(dist, name), Buffer.alloc(150000 + name.length, kind));
  }
  release(version);
  browser = await h.launch();
});
after(async () => {
  await browser.close();
  fs.rmSync(dist, {recursive: true, force: true});
});

// dpkg's record of a build carries that build's date: no hash of it is the release's.
const built = Object.values(files).filter((name) => name !== files.buildinfo);

test('SHA256SUMS: every file of the folder but dpkg\'s record, as sha256sum -c reads it', () => {
  const names = fs.readdirSync(dist).filter((name) => name !== 'SHA256SUMS' && name !== files.buildinfo).sort();
  assert.deepEqual(names, [...built, ...h.site, h.worker, 'index.html'].sort());
  assert.equal(fs.readFileSync(path.join(dist, 'SHA256SUMS'), 'utf8'), names.map((name) => `${sha256(name)}  ${name}\n`).join(''));
});

test('download page: from disk and from a web server, static, whole, and clean for axe at both widths', async (t) => {
  for (const fromServer of [false, true]) {
    for (const size of [{width: 1280, height: 800}, {width: 360, height: 640, touch: true}]) {
      const served = fromServer ? await h.serve(dist) : {asked: []};
      const url = served.url || pathToFileURL(path.join(dist, 'index.html')).href;
      try {
        const where = `${url} at ${size.width} px`;
        const page = await h.tab(browser, size);
        await page.goto(url);
        await t.test(`the page asks for nothing beyond itself, ${where}`, h.only('requests'), () => {
          assert.deepEqual(h.askedBeyond(page, url), []);
        });
        assert.deepEqual(served.asked, url.startsWith('http') ? [new URL(url).pathname] : [], where);

        const shown = await page.evaluate(() => ({
          lang: document.documentElement.lang,
          description: document.querySelector('meta[name=description]').content,
          scripts: document.scripts.length,
          tooWide: document.documentElement.scrollWidth > window.innerWidth,
          text: document.body.innerText,
          links: [...document.querySelectorAll('a')].map((link) => link.getAttribute('href')),
          play: document.querySelector('a.play').getAttribute('href'),
        }));
        assert.deepEqual([shown.lang, shown.scripts, shown.tooWide], ['bg', 0, false], where);
        assert.match(shown.description, /^Изтеглете викторината по история „Битки“/, where);
        assert.ok(shown.text.includes(`Версия ${version} от 9 декември 2026 г.`), where);
        for (const name of Object.values(files)) {
          assert.ok(shown.links.includes(name), `${name} linked, ${where}`);
        }
        for (const name of built) {
          const bytes = fs.statSync(path.join(dist, name)).size;
          const grouped = String(bytes).replace(/\B(?=(\d{3})+$)/g, '\u00a0');
          assert.ok(shown.text.includes(`${name}\nРазмер: ${Math.round(bytes / 1024)} КБ (${grouped} байта)\nSHA-256: ${sha256(name)}`),
            `${name}'s size and hash, ${where}`);
        }
        for (const line of [`msiexec /i ${files.msi} /qn`, `sudo apt install ./${files.deb}`, 'sha256sum -c']) {
          assert.ok(shown.text.includes(line), `${line}, ${where}`);
        }
        assert.equal(shown.play, files.html);

        assert.deepEqual((await page.axe()).map((violation) => violation.id), [], where);

        // "Play in the browser" opens the quiz itself, started.
        const play = await h.box(page, 'a.play');
        await page.click(play.x + play.width / 2, play.y + play.height / 2);
        await h.started(page);
        assert.equal(await page.evaluate(() => location.href), new URL(files.html, url).href);
        await page.close();
      } finally {
        served.server?.close();
      }
    }
  }
});

// A folder of the site holding these files of the release in dist.
function folder(names) {
  const made = fs.mkdtempSync(path.join(os.tmpdir(), 'bitki-folder-'));
  for (const name of names) {
    fs.copyFileSync(path.join(dist, name), path.join(made, name));
  }
  return made;
}

// A right pair judged in a tab whose lists are full.
async function judges(page) {
  await h.assertFresh(page);
  const [battle, commander] = [h.expected.key[0].battle, h.expected.key[0].commander];
  for (const [id, text] of [[h.ids.battles, battle], [h.ids.commanders, commander]]) {
    const point = await h.pointAt(page, id, text);
    await page.click(point.x, point.y);
  }
  await h.assertFeedback(page, h.right(battle, commander));
}

const controlled = (page) => page.waitFor(() => navigator.serviceWorker.controller !== null);
// The caches of the tab's site, and for each its folder and release.
const kept = (page) => page.evaluate(async () => (await caches.keys()).sort());
const folderAndRelease = (names) => names.map((name) => /^bitki (\S+) (\S+) [0-9a-f]{16}$/.exec(name)?.slice(1).join(' ') ?? name);

test('on a host that serves bitki.html as bitki, the quiz opens offline at that address, with any query', async () => {
  const site = folder(fs.readdirSync(dist));
  const served = await h.serve({'/bitki/': site}, {clean: true});
  const page = await h.open(browser, {url: `${served.url}${files.html}`, installing: true});
  try {
    assert.equal(await page.evaluate(() => location.href), `${served.url}bitki`);
    await controlled(page);
    served.down = true;
    for (const address of ['bitki', 'bitki?from=home', files.html]) {
      await page.goto(served.url + address);
      await h.started(page);
      await judges(page);
    }
    await page.goto(`${served.url}?from=home`);
    assert.match(await page.evaluate(() => document.body.innerText), new RegExp(`Версия ${version} от`));
  } finally {
    await page.close();
    served.server.close();
    fs.rmSync(site, {recursive: true, force: true});
  }
});

test('on a school\'s site every copy of the quiz installs as its own app and opens offline, and a new release replaces only its own folder\'s', h.only('manyWorkers'), async (t) => {
  // This release in two teachers' folders, the next one beside them, and a folder with only what
  // the README names for phones.
  const next = folder(fs.readdirSync(dist));
  release(`${version}.1`, next);
  const folders = {'/7a/bitki/': dist, '/7b/bitki/': folder(fs.readdirSync(dist)), '/history/2025/bitki/': next,
    '/phone/': folder([files.html, ...h.site, h.worker])};
  const releases = {'/7a/bitki/': version, '/7b/bitki/': version, '/history/2025/bitki/': `${version}.1`, '/phone/': version};
  const served = await h.serve(folders);
  const at = (prefix, name = '') => served.origin + prefix + name;
  const page = await h.open(browser, {url: at('/7a/bitki/', files.html), installing: true});
  try {
    // Where the new worker that the page finds on the site ends up: in use, or thrown away.
    const updated = () => page.evaluate(async () => {
      const registration = await navigator.serviceWorker.getRegistration();
      const found = new Promise((resolve) => registration.addEventListener('updatefound', resolve, {once: true}));
      await registration.update().catch(() => {});
      await found;
      const worker = registration.installing;
      while (!['activated', 'redundant'].includes(worker.state)) {
        await new Promise((resolve) => worker.addEventListener('statechange', resolve, {once: true}));
      }
      return worker.state;
    });
    const offline = async (url) => {
      served.down = true;
      await page.goto(url);
      await h.started(page);
    };
    // Each visited once: one cache each, named by its folder, none deleting another's.
    await controlled(page);
    for (const prefix of Object.keys(folders).slice(1)) {
      await page.goto(at(prefix, files.html));
      await h.started(page);
      await controlled(page);
    }
    // Beside them, caches of a release from before caches carried their folder: 7b's, and 7a's.
    const older = ['bitki 0.98 0123456789abcdef', 'bitki 0.99 0123456789abcdef'];
    await page.evaluate(async (names, urls) => {
      for (const [index, name] of names.entries()) {
        await (await caches.open(name)).put(urls[index], new Response('older'));
      }
    }, older, [at('/7b/bitki/', files.html), at('/7a/bitki/', files.html)]);
    const before = await kept(page);
    assert.deepEqual(folderAndRelease(before), [...older, ...Object.entries(releases).map(([prefix, release]) => `${at(prefix)} ${release}`)]);

    await t.test('Chromium finds the manifest sound, the page installable, and each folder an app of its own', h.only('installability'), async () => {
      for (const prefix of ['/7a/bitki/', '/7b/bitki/']) {
        await page.goto(at(prefix, files.html));
        const cdp = await page.cdp();
        const manifest = await cdp.send('Page.getAppManifest');
        assert.deepEqual(manifest.errors, []);
        assert.equal(JSON.parse(manifest.data).short_name, 'Битки');
        assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
        assert.equal((await cdp.send('Page.getAppId')).appId, at(prefix, files.html));
        await cdp.detach();
      }
    });

    // A folder caught half way through an update (its page not yet the new release's) is not kept.
    await page.goto(at('/7a/bitki/', files.html));
    release(`${version}.2`);
    fs.appendFileSync(path.join(dist, files.html), '<!-- the next release -->\n');
    assert.equal(await updated(), 'redundant');
    assert.deepEqual(await kept(page), before);
    // Whole, it replaces that folder's releases before, and no other folder's.
    release(`${version}.2`);
    assert.equal(await updated(), 'activated');
    const after = await kept(page);
    assert.deepEqual(folderAndRelease(after), [older[0], `${at('/7a/bitki/')} ${version}.2`, ...folderAndRelease(before).slice(3)]);
    assert.deepEqual(after.slice(2), before.slice(3));

    // With the network gone, every copy opens and plays, the updated one as its new release.
    for (const prefix of Object.keys(folders)) {
      await offline(at(prefix, files.html));
      await judges(page);
    }
    await offline(at('/7a/bitki/', files.html));
    assert.equal(await page.evaluate(() => document.lastChild.textContent), ' the next release ');
    // The download page too, at the folder's own address.
    await page.goto(at('/7a/bitki/'));
    assert.match(await page.evaluate(() => document.body.innerText), new RegExp(`Версия ${version}\\.2 от`));

    // Online, a new release's download page shows at once, though its worker has not taken over.
    served.down = false;
    release(`${version}.3`);
    await page.goto(at('/7a/bitki/'));
    assert.match(await page.evaluate(() => document.body.innerText), new RegExp(`Версия ${version}\\.3 от`));
  } finally {
    await page.close();
    served.server.close();
    for (const made of [folders['/7b/bitki/'], next, folders['/phone/']]) {
      fs.rmSync(made, {recursive: true, force: true});
    }
  }
});
