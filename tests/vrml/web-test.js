// The cube in the program's web viewer, in headless Chromium:
//   node web-test.js WEBSERVE [--shots DIR]
// WEBSERVE (webserve.cpp) starts the program's main window with the demo
// face set and presses F4 (the web viewer unless a VRML viewer is chosen);
// this opens its page, checks the cube there (its buttons clicked at their
// letters, the twelve nets opened at 800 x 600 and 1500 x 900), asks for
// another face set, saves the site for the web and checks that folder served
// by a plain static server.
// --shots DIR keeps screenshots of the page at 800 x 600 and 1600 x 900, and
// of net d open at 800 x 600 and 1500 x 900.
// Exit status: 0 passed, 1 a check failed, 2 the test could not run.
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { fileURLToPath } = require('url');
const { launch, checks, lines, open } = require('./viewer-page');

// The demo pictures' colours (tools/make-demo-faces.sh).
const RED = [0xd0, 0x30, 0x30];
const GREEN = [0x2f, 0x8f, 0x2f];

const { check, run } = checks('web-test');

// Runs in the page: unfolds net a by its timer and folds it back by a click
// on a corner ball, as the model's own scripts do it.
async function unfoldAndFold() {
  const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
  const eventually = async (cond, ms) => {
    for (let waited = 0; !cond() && waited < ms; waited += 100) await sleep(100);
    return cond();
  };
  const browser = X3D.getBrowser('#c');
  const canvas = document.querySelector('#c');
  const surface = canvas.shadowRoot.querySelector('.x_ite-private-surface');
  const inner = (node, name) => node.getValue().getBody().getNamedNode(name);
  const hra = browser.currentScene.getNamedNode('HRA');
  const kr = inner(hra, 'KR');
  const points = (mf) => Array.from({ length: mf.length }, (_, i) => [mf[i].x, mf[i].y, mf[i].z]);
  const same = (a, b) => a.length === b.length && a.every((p, i) => p.every((v, j) => Math.abs(v - b[i][j]) < 1e-4));
  const keys = points(inner(hra, 'SITa').keyValue);
  const closed = keys.slice(0, 24);
  const flat = keys.slice(48, 72);
  // X_ITE's time is seconds since the epoch.
  inner(hra, 'BUDIKa').startTime = Date.now() / 1000;
  const unfolded = await eventually(() => same(points(kr.body), flat), 15000);
  // A corner ball, -1 0 1 in the world, seen from the starting view, with
  // the view as wide as the open net made it.
  const box = canvas.getBoundingClientRect();
  let fov = 0;
  for (let i = 0; i < browser.currentScene.rootNodes.length && !fov; i++) {
    const node = browser.currentScene.rootNodes[i];
    if (node && node.getNodeTypeName() === 'Viewpoint') fov = node.fieldOfView;
  }
  const f = box.height / 2 / Math.tan(fov / 2) / (100 - 1);
  const at = { clientX: box.left + box.width / 2 - f, clientY: box.top + box.height / 2 };
  const mouse = (type, buttons) => surface.dispatchEvent(new MouseEvent(type, {
    bubbles: true, composed: true, cancelable: true, button: 0, buttons, ...at }));
  mouse('mousemove', 0);
  await sleep(150);
  mouse('mousedown', 1);
  await sleep(150);
  mouse('mouseup', 0);
  const folded = await eventually(() => same(points(kr.body), closed), 5000);
  return { unfolded, folded };
}

// The canvas's place in the page.
function canvasBox(page) {
  return page.evaluate(() => {
    const r = document.querySelector('#c').getBoundingClientRect();
    return { x: r.left, y: r.top, width: r.width, height: r.height };
  });
}

// RGBA pixels of a part of the page as the screen shows it: the screenshot
// is decoded by the browser itself.
async function pixels(page, clip) {
  const png = await page.screenshot({ clip });
  const data = await page.evaluate(async (base64) => {
    const image = new Image();
    image.src = 'data:image/png;base64,' + base64;
    await image.decode();
    const canvas = document.createElement('canvas');
    canvas.width = image.width;
    canvas.height = image.height;
    const context = canvas.getContext('2d');
    context.drawImage(image, 0, 0);
    const bytes = context.getImageData(0, 0, image.width, image.height).data;
    let text = '';
    for (let i = 0; i < bytes.length; i += 0x8000) text += String.fromCharCode(...bytes.subarray(i, i + 0x8000));
    return btoa(text);
  }, png.toString('base64'));
  return Buffer.from(data, 'base64');
}

// Colour of the front face on the screen, at a point that shows the
// picture's background colour in every turn (away from its number, arrow
// and corner mark): 0.92 across and 0.6 down the picture.
async function frontColour(page) {
  const box = await canvasBox(page);
  const f = box.height / 2 / Math.tan(0.08 / 2) / (100 - 1);
  // The front face spans x -1..1 and y -2..0 (the cube sits 1 lower).
  const x = Math.round(box.x + box.width / 2 + (-1 + 2 * 0.92) * f);
  const y = Math.round(box.y + box.height / 2 - (-2 + 2 * (1 - 0.6)) * f);
  return Array.from((await pixels(page, { x, y, width: 1, height: 1 })).subarray(0, 3));
}

const near = (a, b, tolerance = 40) => a.every((v, i) => Math.abs(v - b[i]) <= tolerance);

// The sky behind the scene.
const SKY = [0xcc, 0xcc, 0xff];

// Runs in the page: opens one net at once (its interpolator at its end) and
// turns the cube as a drag would, or folds the cube (fraction 0).
function openNet([net, fraction, turn]) {
  const browser = X3D.getBrowser('#c');
  const inner = (node, name) => node.getValue().getBody().getNamedNode(name);
  const hra = browser.currentScene.getNamedNode('HRA');
  inner(hra, 'KRYCHLE').rotation = new X3D.SFRotation(...turn);
  inner(hra, 'SIT' + net).set_fraction = fraction;
}

// Whether anything but the sky lies in the canvas's outer rows and columns
// of pixels: a net cut off by the canvas's edge shows there.
async function touchesEdge(page, border = 3) {
  const box = await canvasBox(page);
  const x = Math.ceil(box.x);
  const y = Math.ceil(box.y);
  const width = Math.floor(box.width) - 1;
  const height = Math.floor(box.height) - 1;
  const strips = [{ x, y, width, height: border }, { x, y: y + height - border, width, height: border },
    { x, y, width: border, height }, { x: x + width - border, y, width: border, height }];
  let count = 0;
  for (const clip of strips) {
    const data = await pixels(page, clip);
    for (let i = 0; i < data.length; i += 4)
      if (!near([data[i], data[i + 1], data[i + 2]], SKY, 24)) count++;
  }
  return count;
}

// Pixels of the net's pictures (any colour far from the sky, the buttons'
// yellow and their olive text) in the canvas.
async function netPixels(page) {
  const box = await canvasBox(page);
  const data = await pixels(page, { x: Math.ceil(box.x), y: Math.ceil(box.y),
    width: Math.floor(box.width) - 1, height: Math.floor(box.height) - 1 });
  let count = 0;
  for (let i = 0; i < data.length; i += 4) {
    const c = [data[i], data[i + 1], data[i + 2]];
    if (!near(c, SKY, 60) && !near(c, [0xcc, 0xcc, 0x00], 60) && !near(c, [0x33, 0x33, 0x00], 40)) count++;
  }
  return count;
}

// Every net of the twelve, opened at rest and turned two ways, lies inside
// the canvas: the names of those that touch its edge.
async function netsCutOff(page) {
  const turns = [[0, 0, 1, 0], [1, 0, 0, 1.2], [0.6, 0.8, 0, 2.2]];
  const cut = [];
  for (const net of 'abcdefghijkl') {
    for (const turn of turns) {
      await page.evaluate(openNet, [net, 1, turn]);
      await page.waitForTimeout(150);
      const count = await touchesEdge(page);
      if (count) cut.push(`${net} ${turn.join(' ')} (${count} px)`);
    }
    await page.evaluate(openNet, [net, 0, [0, 0, 1, 0]]);
  }
  return cut;
}

// Runs in the page: how often each button's TouchSensor became active, and
// the text each shows.
function buttonPresses() {
  const scene = X3D.getBrowser('#c').currentScene;
  window.vemtalPresses = window.vemtalPresses || {};
  const out = {};
  for (const name of ['RUKA', 'RUKA2', 'RUKA3', 'RUKA4']) {
    const button = scene.getNamedNode(name);
    if (!(name in window.vemtalPresses)) {
      window.vemtalPresses[name] = 0;
      button.addFieldCallback('web-test', 'isActive', (active) => { if (active) window.vemtalPresses[name]++; });
    }
    out[name] = { presses: window.vemtalPresses[name],
      text: button.getValue().getBody().getNamedNode('T').string[0] };
  }
  return out;
}

// The buttons' text on the screen: the olive pixels of the canvas's lower
// part, in four groups (left and right, upper and lower row). For its first
// and its last letter (the leftmost and the rightmost four columns of its
// ink) each gives a pixel of the ink and a pixel between the strokes, within
// the rows the text's ink spans: a teacher's click lands on either.
async function buttonLetters(page) {
  const box = await canvasBox(page);
  const top = Math.ceil(box.y + box.height * 0.6);
  const left = Math.ceil(box.x);
  const width = Math.floor(box.width) - 1;
  const height = Math.floor(box.y + box.height) - 1 - top;
  const data = await pixels(page, { x: left, y: top, width, height });
  const ink = (x, y) => {
    const i = (y * width + x) * 4;
    return data[i] < 90 && data[i + 1] < 90 && data[i + 2] < 40 && Math.abs(data[i] - data[i + 1]) < 15;
  };
  // The bars' top faces, lit darker, are lines longer than any stroke of
  // the text: those are left out.
  const found = [];
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      if (!ink(x, y)) continue;
      let end = x;
      while (end + 1 < width && ink(end + 1, y)) end++;
      if (end - x < 24)
        for (let i = x; i <= end; i++) found.push([i, y]);
      x = end;
    }
  }
  if (!found.length) return null;
  const rows = found.map(([, y]) => y);
  const middle = (Math.min(...rows) + Math.max(...rows)) / 2;
  const groups = {};
  for (const [x, y] of found) {
    const key = (x < width / 2 ? 'left' : 'right') + (y < middle ? ' upper' : ' lower');
    (groups[key] = groups[key] || []).push([x, y]);
  }
  const at = ([x, y]) => ({ x: left + x + 0.5, y: top + y + 0.5 });
  const letters = {};
  for (const [key, points] of Object.entries(groups)) {
    const xs = points.map(([x]) => x);
    const ys = points.map(([, y]) => y);
    const [first, last, high, low] = [Math.min(...xs), Math.max(...xs), Math.min(...ys), Math.max(...ys)];
    const centre = (high + low) / 2;
    const letter = (from, to) => {
      const inked = points.filter(([x]) => x >= from && x <= to);
      const gaps = [];
      for (let y = high + 1; y < low; y++)
        for (let x = from; x <= to; x++)
          if (!ink(x, y) && !ink(x - 1, y) && !ink(x + 1, y)) gaps.push([x, y]);
      gaps.sort((p, q) => Math.abs(p[1] - centre) - Math.abs(q[1] - centre));
      return { ink: at(inked[Math.floor(inked.length / 2)]), gap: gaps.length ? at(gaps[0]) : null };
    };
    letters[key] = { first: letter(first, first + 3), last: letter(last - 3, last) };
  }
  return letters;
}

// The model's buttons by their place in the panel.
const BUTTONS = { 'right upper': 'RUKA', 'right lower': 'RUKA2', 'left upper': 'RUKA3', 'left lower': 'RUKA4' };

// Clicks the first and then the last letter of each button, on the ink and
// between the strokes: the clicks on which a button did not act, with the
// text clicked.
async function lettersNotActing(page) {
  const failed = [];
  for (const [place, name] of Object.entries(BUTTONS)) {
    for (const [end, where] of [['first', 'ink'], ['first', 'gap'], ['last', 'ink'], ['last', 'gap']]) {
      const letters = await buttonLetters(page);
      const target = letters && letters[place] && letters[place][end][where];
      const before = await page.evaluate(buttonPresses);
      if (!target) {
        failed.push(`${name}: no ${where} of its ${end} letter seen`);
        continue;
      }
      await page.mouse.move(target.x, target.y);
      await page.waitForTimeout(100);
      await page.mouse.down();
      await page.waitForTimeout(100);
      await page.mouse.up();
      await page.mouse.move(0, 0);
      await page.waitForTimeout(300);
      const after = await page.evaluate(buttonPresses);
      if (after[name].presses !== before[name].presses + 1)
        failed.push(`${name} "${before[name].text}" at its ${end} letter (${where})`);
    }
  }
  return failed;
}

// The model's panel buttons (yellow boxes, dark olive text) do not touch the
// canvas's left and right edges: nothing of them is cut off there.
async function buttonsInside(page) {
  const box = await canvasBox(page);
  const width = Math.floor(box.width);
  const height = Math.floor(box.height);
  const data = await pixels(page, { x: Math.ceil(box.x), y: Math.ceil(box.y), width, height });
  const button = (i) => (data[i] > 150 && data[i + 1] > 150 && data[i + 2] < 80)
    || (data[i] < 90 && data[i + 1] < 90 && data[i + 2] < 30 && Math.abs(data[i] - data[i + 1]) < 15);
  const counts = { edge: 0, left: 0, right: 0 };
  for (let y = 0; y < height; y++) {
    for (let x = 0; x < width; x++) {
      if (!button((y * width + x) * 4)) continue;
      if (x < 3 || x >= width - 3) counts.edge++;
      else if (x < width / 2) counts.left++;
      else counts.right++;
    }
  }
  return counts;
}

async function main() {
  const args = process.argv.slice(2);
  const webserve = args[0];
  const shots = args[1] === '--shots' ? path.resolve(args[2]) : null;
  if (!webserve) throw new Error('usage: node web-test.js WEBSERVE [--shots DIR]');
  const browser = await launch('web-test');
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vemtal-web-'));
  const program = spawn(webserve, [work], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' },
    stdio: ['pipe', 'pipe', 'inherit'] });
  const answer = lines(program);
  let server = null;
  try {
    const first = await answer();
    // The browser is handed a local page of the user's alone that forwards
    // it to the server: the token stays off command lines.
    check(first.startsWith('url file:///'), 'F4 opens a local page (' + first + ')');
    const opened = first.slice(4);
    check((fs.statSync(fileURLToPath(opened)).mode & 0o777) === 0o600, 'only the user can read that page');

    // The page, as F4 opened it.
    const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
    const problems = [];
    page.on('pageerror', (e) => problems.push(e.message));
    page.on('response', (r) => { if (r.status() >= 400) problems.push(r.status() + ' ' + r.url()); });
    let scene = await open(page, opened);
    const url = page.url();
    const token = (url.match(/^http:\/\/127\.0\.0\.1:\d+\/([0-9a-f]{32})\/$/) || [])[1];
    check(token && !opened.includes(token), 'it forwards to the page on 127.0.0.1, and only there is the token: ' + url);
    check(scene !== null, 'the page loads the model');
    const names = ['obrazkys/0.jpg', 'obrazkys/1.png', 'obrazkys/2.gif', 'obrazkys/3.jpg', 'obrazkys/4.png', 'obrazkys/5.gif'];
    check(scene && JSON.stringify(scene.urls) === JSON.stringify(names.map((n) => [n])),
      'the six ImageTextures of KR carry the pictures by index: ' + JSON.stringify(scene && scene.urls));
    check(scene && scene.loaded.every(Boolean), 'all six pictures have loaded');
    check(scene && JSON.stringify(scene.rotace) === '[0,1,2,3,0,1]', 'the rotations are the face set\'s');
    const title = await page.title();
    const header = await page.textContent('header');
    check(/^vemtal/.test(title) && /vemtal/.test(header) && /prot\d+\.wrl/.test(header),
      'title and header show "vemtal" and the model\'s file name: ' + header.trim());
    const red = await frontColour(page);
    check(near(red, RED), 'the front face shows its picture, not a white cube: ' + red);
    let edges = await buttonsInside(page);
    check(edges.edge === 0 && edges.left > 50 && edges.right > 50,
      'at 800 x 600 the four buttons are in view: ' + JSON.stringify(edges));
    if (shots) await page.screenshot({ path: path.join(shots, 'web-800x600.png') });
    const notActing = await lettersNotActing(page);
    check(notActing.length === 0, 'a click on the first and on the last letter of each button acts: '
      + (notActing.join('; ') || 'all do'));
    for (const [width, height] of [[800, 600], [1500, 900]]) {
      await page.setViewportSize({ width, height });
      await page.waitForTimeout(300);
      await page.evaluate(openNet, ['d', 1, [0, 0, 1, 0]]);
      await page.waitForTimeout(300);
      if (shots) await page.screenshot({ path: path.join(shots, `web-${width}x${height}-net.png`) });
      check(await netPixels(page) > width * height / 20, `at ${width} x ${height} the open net is seen`);
      await page.evaluate(openNet, ['d', 0, [0, 0, 1, 0]]);
      const cut = await netsCutOff(page);
      check(cut.length === 0, `at ${width} x ${height} every open net lies inside the canvas: `
        + (cut.join('; ') || 'all do'));
    }
    await page.setViewportSize({ width: 800, height: 600 });
    await page.waitForTimeout(300);
    const moves = await page.evaluate(unfoldAndFold);
    check(moves.unfolded, 'net a unfolds');
    check(moves.folded, 'a corner ball folds the cube back');
    await page.setViewportSize({ width: 1600, height: 900 });
    await page.waitForTimeout(500);
    edges = await buttonsInside(page);
    check(edges.edge === 0 && edges.left > 50 && edges.right > 50,
      'at 1600 x 900 the four buttons are in view: ' + JSON.stringify(edges));
    if (shots) await page.screenshot({ path: path.join(shots, 'web-1600x900.png') });
    check(problems.length === 0, 'no page error and no failed request: ' + problems.join('; '));

    // A second press shows the current cube.
    program.stdin.write('next\n');
    const again = await answer();
    check(again === first, 'Shift+F4 opens the same address');
    await page.setViewportSize({ width: 800, height: 600 });
    scene = await open(page, url);
    check(scene && scene.urls[0][0] === 'obrazkys/0.png' && scene.loaded.every(Boolean)
      && JSON.stringify(scene.rotace) === '[1,0,0,0,0,0]', 'the page then shows the new model');
    const green = await frontColour(page);
    check(near(green, GREEN), 'and the new front picture: ' + green);

    // Messages in the page.
    await page.route('**/model.wrl', (route) => route.fulfill({ status: 404, body: '' }));
    await page.goto(url);
    await page.waitForFunction(() => document.body.dataset.state, null, { timeout: 90000 });
    check(/nepodařilo načíst/.test(await page.textContent('#message')) && await page.isVisible('#message'),
      'a model that fails to load is said in the page');
    await page.unroute('**/model.wrl');
    const bare = await browser.newPage({ viewport: { width: 800, height: 600 } });
    await bare.addInitScript(() => {
      const getContext = HTMLCanvasElement.prototype.getContext;
      HTMLCanvasElement.prototype.getContext = function (kind, ...rest) {
        return /webgl/.test(kind) ? null : getContext.call(this, kind, ...rest);
      };
    });
    let xiteAsked = false;
    bare.on('request', (r) => { if (/x_ite\.min\.js/.test(r.url())) xiteAsked = true; });
    await bare.goto(url);
    await bare.waitForSelector('#message:not([hidden])', { timeout: 30000 });
    const noWebGL = await bare.textContent('#message');
    check(/WebGL/.test(noWebGL) && !xiteAsked, 'without WebGL the page says so and does not load X_ITE');
    check(/akcelerace/.test(noWebGL) && noWebGL.includes('chrome://gpu') && noWebGL.includes('about:support')
      && !/jiný prohlížeč/.test(noWebGL),
      'and says what to check (hardware acceleration, the GPU page), not to try another browser: ' + noWebGL);
    await bare.close();

    // Saved for the web and served by a plain static server: the same cube.
    const site = path.join(work, 'site');
    program.stdin.write('save ' + site + '\n');
    check((await answer()) === 'saved', 'the site is saved into a new folder');
    program.stdin.write('save ' + site + '\n');
    check((await answer()).startsWith('refused '), 'a folder that is not empty is refused');
    server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', site],
      { stdio: ['ignore', 'pipe', 'ignore'] });
    const serving = await lines(server)(20000);
    const port = (serving.match(/port (\d+)/) || [])[1];
    const savedScene = await open(page, `http://127.0.0.1:${port}/`);
    check(savedScene && JSON.stringify(savedScene.urls) === JSON.stringify(scene.urls)
      && savedScene.loaded.every(Boolean) && JSON.stringify(savedScene.rotace) === JSON.stringify(scene.rotace),
      'the saved folder on a static server loads the same model and pictures');
    check(near(await frontColour(page), green, 8), 'and shows the same front picture');
    await page.goto('file://' + path.join(site, 'index.html'));
    await page.waitForFunction(() => document.body.dataset.state, null, { timeout: 90000 });
    check(/webový server/.test(await page.textContent('#message')),
      'opened as a file, the saved page says it needs a web server');
  } finally {
    await browser.close();
    if (server) server.kill();
    program.stdin.end('quit\n');
    fs.rmSync(work, { recursive: true, force: true });
  }
}

run(main);
