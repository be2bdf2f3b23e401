// The release's download page, written beside this build's bitki.html and stand-ins for the other
// editions: what teachers and IT read there, from disk and from a web server, at desktop and
// phone width.
'use strict';

const assert = require('node:assert/strict');
const {execFileSync} = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const http = require('node:http');
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

let browser;
before(async () => {
  fs.copyFileSync(h.html, path.join(dist, files.html));
  for (const [kind, name] of Object.entries(files).filter(([kind]) => kind !== 'html')) {
    fs.writeFileSync(path.join(dist, name), Buffer.alloc(150000 + name.length, kind));
  }
  execFileSync(process.env.BITKI_CMAKE, [`-DDIST=${dist}`, `-DVERSION=${version}`,
    '-DHOMEPAGE=https://www.bitki.example/', '-DSIGNED=0', `-DHTML=${files.html}`, `-DMSI=${files.msi}`,
    `-DEXE=${files.exe}`, `-DDEB=${files.deb}`, `-DBUILDINFO=${files.buildinfo}`, '-DDEB_SYSTEMS=Debian 12 и 13',
    '-P', process.env.BITKI_DOWNLOAD_PAGE],
  {env: {...process.env, SOURCE_DATE_EPOCH: '1796795073'}});
  browser = await h.launch();
});
after(async () => {
  await browser.close();
  fs.rmSync(dist, {recursive: true, force: true});
});

test('SHA256SUMS: every file of the folder, as sha256sum -c reads it', () => {
  const expected = [files.exe, files.msi, files.html, files.buildinfo, files.deb, 'index.html'].map((name) => `${sha256(name)}  ${name}\n`);
  assert.equal(fs.readFileSync(path.join(dist, 'SHA256SUMS'), 'utf8'), expected.join(''));
});

test('download page: from disk and from a web server, static, whole, and clean for axe at both widths', async (t) => {
  // What the server was asked for, whatever the engine can report itself.
  let asked = [];
  const server = http.createServer((request, response) => {
    asked.push(request.url);
    const name = path.basename(decodeURIComponent(request.url));
    const file = path.join(dist, name === '' ? 'index.html' : name);
    if (!fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, {'Content-Type': name.endsWith('.html') || name === '' ? 'text/html; charset=utf-8' : 'application/octet-stream'});
    response.end(fs.readFileSync(file));
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  try {
    for (const url of [pathToFileURL(path.join(dist, 'index.html')).href, `http://127.0.0.1:${server.address().port}/`]) {
      for (const size of [{width: 1280, height: 800}, {width: 360, height: 640, touch: true}]) {
        const where = `${url} at ${size.width} px`;
        const page = await h.tab(browser, size);
        asked = [];
        await page.goto(url);
        await t.test(`the page asks for nothing beyond itself, ${where}`, h.only('requests'), () => {
          assert.deepEqual(h.askedBeyond(page, url), []);
        });
        assert.deepEqual(asked, url.startsWith('http') ? ['/'] : [], where);

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
          const bytes = fs.statSync(path.join(dist, name)).size;
          const grouped = String(bytes).replace(/\B(?=(\d{3})+$)/g, '\u00a0');
          assert.ok(shown.links.includes(name), `${name} linked, ${where}`);
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
      }
    }
  } finally {
    server.close();
  }
});
