// Cold loads of bitki.html and of the same page without its script, alternated in one Chromium:
// the time to the first contentful paint (both lists are drawn in it: their rows stand in the
// HTML before any script), medians and ratio; then the file's size, plain and gzipped.
//   node bench/web_first_paint.js bitki.html LOADS
'use strict';

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const zlib = require('node:zlib');
const {pathToFileURL} = require('node:url');
const {launch, median} = require('./chromium');

const [html, loadsText = '31'] = process.argv.slice(2);
const loads = Number(loadsText);
const page = fs.readFileSync(html, 'utf8');
const beforeScript = page.slice(0, page.indexOf('<script'));
const rowsDrawn = (beforeScript.match(/role="option"/g) || []).length;
const staticPage = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'bitki-bench-')), 'static.html');
fs.writeFileSync(staticPage, page.replace(/<script[^>]*>[\s\S]*?<\/script>/g, ''));


// A cold load: a new tab, with the browser's cache off.
async function firstPaint(browser, file) {
  const tab = await browser.newPage();
  await tab.setCacheEnabled(false);
  await tab.goto(pathToFileURL(file).href, {waitUntil: 'load'});
  const paint = await tab.evaluate(() => new Promise((resolve) => {
    new PerformanceObserver((list) => {
      const entry = list.getEntriesByName('first-contentful-paint')[0];
      if (entry) {
        resolve(entry.startTime);
      }
    }).observe({type: 'paint', buffered: true});
  }));
  const rows = await tab.$$eval('[role=option]', (options) => options.length);
  await tab.close();
  if (rows !== 20) {
    throw new Error(`${file}: ${rows} rows after load`);
  }
  return paint;
}

(async () => {
  const browser = await launch();
  const times = {quiz: [], static: []};
  // One warm-up each: the first load of a browser pays for starting its renderer.
  await firstPaint(browser, html);
  await firstPaint(browser, staticPage);
  // Alternated in pairs, each page first in every other pair.
  for (let load = 0; load < loads; ++load) {
    const order = load % 2 ? ['static', 'quiz'] : ['quiz', 'static'];
    for (const which of order) {
      times[which].push(await firstPaint(browser, which === 'quiz' ? html : staticPage));
    }
  }
  await browser.close();

  const quiz = median(times.quiz);
  const bare = median(times.static);
  const size = fs.statSync(html).size;
  const gzipped = zlib.gzipSync(fs.readFileSync(html), {level: 9}).length;
  console.log(`rows in the HTML before its script: ${rowsDrawn} of 20`);
  console.log(`first contentful paint, median of ${loads} alternated cold loads:`);
  console.log(`  bitki.html   ${quiz.toFixed(1)} ms  (min ${Math.min(...times.quiz).toFixed(1)}, max ${Math.max(...times.quiz).toFixed(1)})`);
  console.log(`  static page  ${bare.toFixed(1)} ms  (min ${Math.min(...times.static).toFixed(1)}, max ${Math.max(...times.static).toFixed(1)})`);
  console.log(`  ratio        ${(quiz / bare).toFixed(3)}`);
  console.log(`bitki.html: ${size} bytes, ${gzipped} bytes gzipped`);
})();
