// The exercise pages in headless Chromium, opened from file://:
//   node exercise.js DIR [RUNS]
// DIR holds quiz.html and trace.html as writeexercise writes them (the demo
// pictures). Each run opens each page in a fresh browser context and takes,
// from the start of navigation, the first paint and the moment the page's
// script has installed its handlers (its "vemtal-ready" mark); interactive
// is the later of the two. Prints the size of each file and the median,
// minimum and maximum of RUNS runs; targets: under 600 KB, under 300 ms.
'use strict';
const fs = require('fs');
const path = require('path');
const { pathToFileURL } = require('url');
const { chromium } = require('playwright-core');

const CHROMIUM_ARGS = ['--no-sandbox', '--disable-background-networking', '--disable-component-update',
  '--disable-sync', '--no-first-run', '--headless'];

function stats(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return { median: sorted[Math.floor(sorted.length / 2)], min: sorted[0], max: sorted[sorted.length - 1] };
}

async function main() {
  const [dir, runsArg] = process.argv.slice(2);
  const runs = Number(runsArg || 15);
  const browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true, args: CHROMIUM_ARGS });
  try {
    for (const name of ['quiz.html', 'trace.html']) {
      const file = path.join(dir, name);
      const times = { paint: [], ready: [], interactive: [] };
      for (let i = 0; i < runs; i++) {
        const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
        const page = await context.newPage();
        await page.goto(pathToFileURL(file).href);
        await page.waitForFunction(() => document.body.dataset.ready === '1'
          && performance.getEntriesByName('first-contentful-paint').length > 0);
        const t = await page.evaluate(() => ({
          paint: performance.getEntriesByName('first-contentful-paint')[0].startTime,
          ready: performance.getEntriesByName('vemtal-ready')[0].startTime,
        }));
        times.paint.push(t.paint);
        times.ready.push(t.ready);
        times.interactive.push(Math.max(t.paint, t.ready));
        await context.close();
      }
      const size = fs.statSync(file).size;
      const line = (what) => {
        const s = stats(times[what]);
        return `${what} ${s.median.toFixed(1)} ms (${s.min.toFixed(1)}–${s.max.toFixed(1)})`;
      };
      console.log(`${name}: ${size} bytes (${(size / 1024).toFixed(1)} KB, target < 600 KB); ${runs} runs: `
        + `${line('paint')}, ${line('ready')}, ${line('interactive')} (target < 300 ms)`);
    }
  } finally {
    await browser.close();
  }
}

main().catch((e) => { console.error('exercise bench: ' + e.message); process.exit(2); });
