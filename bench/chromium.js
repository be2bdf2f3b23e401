// What the browser benchmarks share: Debian's Chromium, headless, kept off the network, and the
// median of a run's figures.
'use strict';

const puppeteer = require('puppeteer-core');

function launch() {
  return puppeteer.launch({
    executablePath: process.env.BITKI_CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  const middle = sorted.length >> 1;
  return sorted.length % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

module.exports = {launch, median};
