// What the browser scripts of this folder share: headless Chromium, the
// tests' checks, a helper program that answers line by line, and the
// program's viewer page opened until its cube and pictures have loaded.
'use strict';
const readline = require('readline');

const CHROMIUM_ARGS = ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--no-first-run', '--headless'];

// A child process that answers line by line.
function lines(child) {
  const queue = [];
  const waiting = [];
  readline.createInterface({ input: child.stdout }).on('line', (line) => {
    if (waiting.length) waiting.shift()(line);
    else queue.push(line);
  });
  return (ms = 60000) => queue.length ? Promise.resolve(queue.shift()) : new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('no answer from ' + child.spawnfile)), ms);
    waiting.push((line) => { clearTimeout(timer); resolve(line); });
  });
}

// Runs in the page once the world is there: what the scene holds.
function sceneState() {
  const browser = X3D.getBrowser('#c');
  const inner = (node, name) => node.getValue().getBody().getNamedNode(name);
  const hra = browser.currentScene.getNamedNode('HRA');
  const kr = inner(hra, 'KR');
  const textures = [0, 1, 2, 3, 4, 5].map((k) => inner(kr, 'I' + k));
  return {
    urls: textures.map((t) => Array.from({ length: t.url.length }, (_, i) => t.url[i])),
    loaded: textures.map((t) => t.getValue().checkLoadState() === X3D.X3DConstants.COMPLETE_STATE),
    rotace: Array.from({ length: hra.rotace.length }, (_, i) => hra.rotace[i]),
  };
}

// Runs in the page: the canvas's centre and the screen size of one unit at
// the cube's front (the starting view, 100 units away) with the view's field
// of view as it is now (the page widens it while a net is open).
function viewGeometry() {
  const scene = X3D.getBrowser('#c').currentScene;
  let fov = 0.08;
  for (let i = 0; i < scene.rootNodes.length; i++) {
    const node = scene.rootNodes[i];
    if (node && node.getNodeTypeName() === 'Viewpoint') {
      fov = node.fieldOfView;
      break;
    }
  }
  const r = document.querySelector('#c').getBoundingClientRect();
  const unit = r.height / 2 / Math.tan(fov / 2) / (100 - 1);
  return { x: r.left + r.width / 2, y: r.top + r.height / 2, unit, fov };
}

// Loads a viewer page and waits for the world and its six pictures.
// A local file (as the program hands it to the browser) forwards to the page.
async function open(page, url) {
  await page.goto(url);
  if (url.startsWith('file:')) await page.waitForURL(/^http:/, { timeout: 30000 });
  await page.waitForFunction(() => document.body.dataset.state, null, { timeout: 90000 });
  const state = await page.evaluate(() => document.body.dataset.state);
  if (state !== 'loaded') return null;
  // Pictures come after the world; a busy machine may take a while.
  for (let tries = 0; tries < 150; tries++) {
    const scene = await page.evaluate(sceneState);
    if (scene.loaded.every(Boolean)) return scene;
    await page.waitForTimeout(200);
  }
  return page.evaluate(sceneState);
}

// Headless Chromium; exits with status 2 when the node modules are missing.
function launch(name) {
  let chromium;
  try {
    ({ chromium } = require('playwright-core'));
  } catch (e) {
    console.error(name + ': node modules missing: ' + e.message);
    process.exit(2);
  }
  return chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true, args: CHROMIUM_ARGS });
}

// A test's checks, each printed as it is made. run(main) ends the process:
// 0 when every check passed, 1 when one failed, 2 when main could not run.
function checks(name) {
  const failures = [];
  let passed = 0;
  const check = (ok, what) => {
    if (ok) passed++;
    else failures.push(what);
    console.log((ok ? 'ok   ' : 'FAIL ') + what);
  };
  const run = (main) => main().then(() => {
    console.log(`${name}: ${passed} passed, ${failures.length} failed`);
    process.exit(failures.length ? 1 : 0);
  }, (e) => {
    console.error(name + ': could not run: ' + e.message);
    process.exit(2);
  });
  return { check, run };
}

module.exports = { CHROMIUM_ARGS, launch, checks, lines, sceneState, viewGeometry, open };
