// Screenshots of the browser edition for the documentation: a verdict at a desktop size, and the
// start on a phone. Uses the browser tests' node packages.
//   NODE_PATH=build-web/tests/web/node_modules node tools/web_screenshot.js build-web/window/web/bitki.html docs
'use strict';

const path = require('node:path');
const {pathToFileURL} = require('node:url');
const puppeteer = require('puppeteer-core');

const [html, folder] = process.argv.slice(2);

(async () => {
  const browser = await puppeteer.launch({executablePath: '/usr/bin/chromium', headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking']});
  const shots = [
    {file: 'screenshot-web.png', viewport: {width: 1000, height: 620}, picks: ['Битка при Ахелой', 'цар Симеон']},
    {file: 'screenshot-web-phone.png', viewport: {width: 360, height: 640, hasTouch: true, isMobile: true}, picks: []},
  ];
  for (const shot of shots) {
    const page = await browser.newPage();
    await page.setViewport(shot.viewport);
    await page.goto(pathToFileURL(html).href, {waitUntil: 'load'});
    await page.waitForFunction(() => typeof Module !== 'undefined' && Module.calledRun);
    for (const text of shot.picks) {
      const row = await page.evaluateHandle((wanted) =>
        [...document.querySelectorAll('[role=option]')].find((option) => option.textContent === wanted), text);
      await row.click();
    }
    await page.screenshot({path: path.join(folder, shot.file)});
    console.log(`saved ${path.join(folder, shot.file)}`);
    await page.close();
  }
  await browser.close();
})();
