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
function release(releaseVersion) {
  execFileSync(process.env.BITKI_CMAKE, [`-DDIST=${dist}`, `-DVERSION=${releaseVersion}`,
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
        assert.deepEqual(served.asked, url.startsWith('http') ? ['/'] : [], where);

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

test('from the web site the quiz installs, its worker keeps it, it plays with the network gone, and a new release replaces it whole', async (t) => {
  const served = await h.serve(dist);
  const page = await h.open(browser, {url: served.url + files.html, installing: true});
  try {
    const kept = () => page.evaluate(async () => String(await caches.keys()));
    const release1 = new RegExp(`^bitki ${version} [0-9a-f]{16}$`);
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
    const offline = async () => {
      served.down = true;
      await page.reload();
      await h.started(page);
    };
    await page.waitFor(() => navigator.serviceWorker.controller !== null);
    assert.match(await kept(), release1);

    await t.test('Chromium finds the manifest sound and the page installable', h.only('installability'), async () => {
      const cdp = await page.cdp();
      const manifest = await cdp.send('Page.getAppManifest');
      assert.deepEqual(manifest.errors, []);
      assert.equal(JSON.parse(manifest.data).short_name, 'Битки');
      assert.deepEqual((await cdp.send('Page.getInstallabilityErrors')).installabilityErrors, []);
      await cdp.detach();
    });

    await offline();
    await h.assertFresh(page);
    const [battle, commander] = [h.expected.key[0].battle, h.expected.key[0].commander];
    for (const [id, text] of [[h.ids.battles, battle], [h.ids.commanders, commander]]) {
      const point = await h.pointAt(page, id, text);
      await page.click(point.x, point.y);
    }
    await h.assertFeedback(page, h.right(battle, commander));

    // A folder caught half way through an update (its page not yet the new release's) is not kept.
    served.down = false;
    release(`${version}.1`);
    fs.appendFileSync(path.join(dist, files.html), '<!-- the next release -->\n');
    assert.equal(await updated(), 'redundant');
    assert.match(await kept(), release1);
    // Whole, it replaces the release before, which goes.
    release(`${version}.1`);
    assert.equal(await updated(), 'activated');
    assert.match(await kept(), new RegExp(`^bitki ${version}\\.1 [0-9a-f]{16}$`));
    await offline();
    assert.equal(await page.evaluate(() => document.lastChild.textContent), ' the next release ');
    // The download page too, at the folder's own address.
    await page.goto(served.url);
    assert.match(await page.evaluate(() => document.body.innerText), new RegExp(`Версия ${version}\\.1 от`));
  } finally {
    await page.close();
    served.server.close();
  }
});
