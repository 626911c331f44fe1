// The guide's pictures of the cube in the program's web viewer, in headless
// Chromium, as a teacher sees it after "Zobrazit v prohlížeči":
//   node guide-shots.js GUIDEPICTURES OUTDIR
// For each language (cs, en) GUIDEPICTURES (guidepictures serve LANG) starts
// the program with the guide's face set and opens the viewer; this takes the
// cube as it opens, turned by a drag, and unfolded by a click on the pad in
// front of its front face: LANG-browser.png and LANG-browser-net.png.
// Exit status: 0 written, 2 could not run.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const path = require('path');
const { launch, lines, open, viewGeometry } = require('./viewer-page');

const WIDTH = 800;
const HEIGHT = 500;

// Waits until the cube's points stop moving (an animation has ended).
async function settled(page) {
  await page.evaluate(async () => {
    const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
    const browser = X3D.getBrowser('#c');
    const inner = (node, name) => node.getValue().getBody().getNamedNode(name);
    const kr = inner(browser.currentScene.getNamedNode('HRA'), 'KR');
    const points = () => JSON.stringify(Array.from({ length: kr.body.length },
      (_, i) => [kr.body[i].x, kr.body[i].y, kr.body[i].z]));
    let before = points();
    for (let waited = 0; waited < 15000; waited += 500) {
      await sleep(500);
      const now = points();
      if (now === before) return;
      before = now;
    }
  });
}

async function shots(browser, guidepictures, language, outdir) {
  const program = spawn(guidepictures, ['serve', language], {
    env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' }, stdio: ['pipe', 'pipe', 'inherit'] });
  const answer = lines(program);
  try {
    const first = await answer();
    if (!first.startsWith('url ')) throw new Error('guidepictures said: ' + first);
    const page = await browser.newPage({ viewport: { width: WIDTH, height: HEIGHT } });
    const scene = await open(page, first.slice(4));
    if (!scene || !scene.loaded.every(Boolean)) throw new Error('the cube did not load in ' + language);
    const stage = page.locator('#stage');
    let at = await page.evaluate(viewGeometry);
    // The pad in front of the front face (the cube sits one unit low): the net unfolds.
    await page.mouse.click(at.x, at.y + at.unit);
    await page.waitForTimeout(500);
    await settled(page);
    await page.mouse.move(0, 0);
    await stage.screenshot({ path: path.join(outdir, language + '-browser-net.png') });
    // A corner ball folds it back (where the widened view shows it); a drag
    // on the cube turns it.
    const widened = await page.evaluate(viewGeometry);
    await page.mouse.click(widened.x - widened.unit, widened.y);
    await page.waitForTimeout(500);
    await settled(page);
    at = await page.evaluate(viewGeometry);
    await page.mouse.move(at.x + 0.3 * at.unit, at.y + 0.5 * at.unit);
    await page.mouse.down();
    for (let step = 1; step <= 10; step++)
      await page.mouse.move(at.x + (0.3 - 0.06 * step) * at.unit, at.y + (0.5 + 0.05 * step) * at.unit);
    await page.mouse.up();
    await page.mouse.move(0, 0);
    await page.waitForTimeout(500);
    await stage.screenshot({ path: path.join(outdir, language + '-browser.png') });
    await page.close();
  } finally {
    program.stdin.end('quit\n');
  }
}

async function main() {
  const [guidepictures, outdir] = process.argv.slice(2);
  if (!guidepictures || !outdir) throw new Error('usage: node guide-shots.js GUIDEPICTURES OUTDIR');
  fs.mkdirSync(outdir, { recursive: true });
  const browser = await launch('guide-shots');
  try {
    for (const language of ['cs', 'en']) await shots(browser, guidepictures, language, outdir);
  } finally {
    await browser.close();
  }
}

main().then(() => process.exit(0), (e) => {
  console.error('guide-shots: could not run: ' + e.message);
  process.exit(2);
});
