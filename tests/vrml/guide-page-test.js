// The guide pages (navody.html, navody-en.html) in headless Chromium, opened
// from the program's data folder as "návody na webu" opens them:
//   node guide-page-test.js DOCSDIR [--shots DIR]
// Each page loads everything it shows from its own folder (every picture
// decoded, nothing asked from elsewhere, no script), fits any window width
// without sideways scrolling, links to the other language's page and weighs,
// with its pictures, less than 1 MB. --shots DIR keeps full-page screenshots
// at 800 and 1400 pixels wide.
// Exit status: 0 passed, 1 a check failed, 2 the test could not run.
'use strict';
const fs = require('fs');
const path = require('path');
const { fileURLToPath, pathToFileURL } = require('url');
const { launch, checks } = require('./viewer-page');

const PAGES = [{ file: 'navody.html', lang: 'cs', other: 'navody-en.html' },
  { file: 'navody-en.html', lang: 'en', other: 'navody.html' }];
const WIDTHS = [360, 800, 1400];
const LIMIT = 1000 * 1000;

const { check, run } = checks('guide-page-test');

async function main() {
  const args = process.argv.slice(2);
  const docs = args[0] && path.resolve(args[0]);
  const shots = args[1] === '--shots' ? path.resolve(args[2]) : null;
  if (!docs) throw new Error('usage: node guide-page-test.js DOCSDIR [--shots DIR]');
  if (shots) fs.mkdirSync(shots, { recursive: true });
  const browser = await launch('guide-page-test');
  try {
    for (const { file, lang, other } of PAGES) {
      const page = await browser.newPage({ viewport: { width: WIDTHS[0], height: 800 } });
      const asked = [];
      const problems = [];
      page.on('request', (r) => asked.push(r.url()));
      page.on('requestfailed', (r) => problems.push(r.url() + ' ' + r.failure().errorText));
      page.on('pageerror', (e) => problems.push(e.message));
      const url = pathToFileURL(path.join(docs, file)).href;
      await page.goto(url, { waitUntil: 'load' });
      const facts = await page.evaluate(() => ({
        lang: document.documentElement.lang,
        scripts: document.scripts.length,
        styled: getComputedStyle(document.body).maxWidth !== 'none',
        images: Array.from(document.images, (i) => ({ src: i.getAttribute('src'), width: i.naturalWidth,
          complete: i.complete, declared: [i.getAttribute('width'), i.getAttribute('height')].map(Number),
          natural: [i.naturalWidth, i.naturalHeight] })),
        links: Array.from(document.querySelectorAll('a[href]'), (a) => a.getAttribute('href')),
      }));
      check(facts.lang === lang && facts.styled, `${file}: lang="${lang}", its style sheet applied`);
      check(facts.images.length >= 9, `${file}: shows the guide's pictures (${facts.images.length})`);
      const broken = facts.images.filter((i) => !i.complete || i.width === 0).map((i) => i.src);
      check(broken.length === 0,
        `${file}: every picture loads (natural width > 0): ${broken.join(', ') || 'all'}`);
      const misdeclared = facts.images.filter((i) => i.declared.join() !== i.natural.join())
        .map((i) => `${i.src} ${i.declared.join('x')} is ${i.natural.join('x')}`);
      check(misdeclared.length === 0,
        `${file}: width and height attributes are the pictures' sizes: ${misdeclared.join(', ') || 'all'}`);
      const folder = pathToFileURL(docs).href + '/';
      const outside = asked.filter((u) => !u.startsWith(folder));
      check(outside.length === 0 && facts.scripts === 0,
        `${file}: no script and nothing from outside its folder: ${outside.join(', ') || 'none'}`);
      check(problems.length === 0,
        `${file}: no failed request and no page error: ${problems.join('; ') || 'none'}`);
      const anchors = facts.links.filter((h) => h.startsWith('#'));
      const missing = [];
      for (const a of anchors) if (!(await page.$(a))) missing.push(a);
      check(facts.links.includes(other) && fs.existsSync(path.join(docs, other)) && missing.length === 0,
        `${file}: links to ${other} and to its own sections: ${missing.join(', ') || 'all there'}`);
      const bytes = [...new Set(asked)].map((u) => fileURLToPath(u))
        .reduce((sum, f) => sum + (fs.existsSync(f) ? fs.statSync(f).size : 0), 0);
      check(bytes < LIMIT, `${file}: with its style sheet and pictures ${bytes} bytes, under 1 MB`);
      for (const width of WIDTHS) {
        await page.setViewportSize({ width, height: 800 });
        await page.waitForTimeout(100);
        const wide = await page.evaluate(() => document.documentElement.scrollWidth);
        check(wide <= width, `${file}: at ${width} px wide no sideways scrolling (${wide})`);
        if (shots && width !== WIDTHS[0])
          await page.screenshot({ path: path.join(shots, `${lang}-${width}.png`), fullPage: true });
      }
      await page.close();
    }
  } finally {
    await browser.close();
  }
}

run(main);
