// The pupils' exercises in headless Chromium:
//   node exercise-test.js DIR [--shots SHOTS]
// DIR holds what writeexercise wrote: quiz.html, trace.html, their SCORM
// packages, and web/ (the folder "Uložit pro web" writes, with quiz-3d.html).
// Each page opened from file:// asks for nothing outside itself; it is
// solved (100 %) by mouse, keyboard and touch; wrong answers mark exactly
// those cells and score by the rule; "Zkusit znovu" keeps the work. The
// SCORM packages run inside a page whose LMS API is scorm-again; the 3D
// view works over http and is not offered from a file.
// --shots keeps screenshots before and after checking at 1280 x 800 and
// 768 x 1024.
// Exit status: 0 passed, 1 a check failed, 2 the test could not run.
'use strict';
const { spawn, execFileSync } = require('child_process');
const fs = require('fs');
const path = require('path');
const { pathToFileURL } = require('url');
const { launch, checks, lines } = require('./viewer-page');

const { check, run } = checks('exercise-test');
const LIMIT = 600 * 1024;

// Every request the page makes, and every error it reports.
function watch(page) {
  const seen = { requests: [], problems: [] };
  page.on('request', (r) => seen.requests.push(r.url()));
  page.on('pageerror', (e) => seen.problems.push(e.message));
  page.on('console', (m) => { if (m.type() === 'error') seen.problems.push(m.text()); });
  return seen;
}

// In the page: each cell the pupil may change, with the answer to give.
function plan(frame) {
  return frame.evaluate(() => {
    const data = JSON.parse(document.getElementById('data').textContent);
    const out = [];
    data.nets.forEach((net, n) => net.cells.forEach((c, i) => {
      if (c.fixed) return;
      out.push({ key: `${n + 1}:${i}`, answer: c.accepted[0], accepted: c.accepted,
        changed: c.changed, fill: c.fill, shown: c.shown });
    }));
    return { cells: out, pass: data.pass, kind: data.kind };
  });
}

function current(frame, key) {
  return frame.$eval(`[data-key="${key}"]`, (n) => [+n.dataset.face, +n.dataset.turn]);
}

const same = (a, b) => a[0] === b[0] && a[1] === b[1];
const right = (cell, choice) => cell.accepted.some((a) => same(a, choice));

// The rule the page states, computed here on its own.
function expected(cells, choices) {
  let changed = 0, corrected = 0, spoilt = 0;
  for (const c of cells) {
    const ok = right(c, choices[c.key]);
    if (c.changed) { changed++; if (ok) corrected++; } else if (!ok) spoilt++;
  }
  return Math.max(0, Math.floor(100 * (corrected - spoilt) / changed));
}

// How a pupil presses: a mouse click, a touch tap (CDP touch events) or a
// key (Tab until the element has the focus, then Enter or Space).
function presser(page, frame, how, cdp) {
  if (how === 'mouse') return (selector) => frame.click(selector);
  if (how === 'touch') {
    return async (selector) => {
      const box = await (await frame.$(selector)).boundingBox();
      const point = { x: box.x + box.width / 2, y: box.y + box.height / 2 };
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [point] });
      await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
      await page.waitForTimeout(30);
    };
  }
  let space = false;
  return async (selector) => {
    const target = await frame.$(selector);
    for (let i = 0; i < 300; i++) {
      if (await target.evaluate((n) => document.activeElement === n)) break;
      await page.keyboard.press('Tab');
    }
    check(await target.evaluate((n) => document.activeElement === n) || false,
      `keyboard: ${selector} reached by Tab`);
    space = !space;
    await page.keyboard.press(space ? 'Space' : 'Enter');
  };
}

// Gives a cell a choice: a blank cell is selected, its picture chosen,
// then it is turned until it shows the turn.
async function give(frame, press, kind, cell, choice) {
  const selector = `[data-key="${cell.key}"]`;
  if (cell.fill && (await current(frame, cell.key))[0] !== choice[0]) {
    await press(selector);
    await press(kind === 'quiz' ? `#palette .choice:nth-child(${choice[0]})`
      : `#palette .cell[data-face="${choice[0]}"]`);
  }
  for (let i = 0; i < 4 && !same(await current(frame, cell.key), choice); i++) await press(selector);
  return same(await current(frame, cell.key), choice);
}

async function solve(frame, press, p, choices = {}) {
  let all = true;
  for (const c of p.cells) all = (await give(frame, press, p.kind, c, choices[c.key] || c.answer)) && all;
  return all;
}

async function result(frame) {
  return frame.evaluate(() => ({
    score: document.body.dataset.score, status: document.body.dataset.status,
    wrong: Array.from(document.querySelectorAll('.cell.wrong'), (n) => n.dataset.key).sort(),
    text: document.getElementById('result').textContent,
    retry: !document.getElementById('retry').hidden,
  }));
}

async function open(browser, file, options = {}) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 }, ...options });
  const page = await context.newPage();
  const seen = watch(page);
  await page.goto(pathToFileURL(file).href);
  await page.waitForFunction(() => document.body.dataset.ready === '1');
  return { context, page, seen };
}

function nothingOutside(name, file, seen) {
  const own = pathToFileURL(file).href;
  const outside = seen.requests.filter((u) => u !== own && !u.startsWith('data:'));
  check(outside.length === 0, `${name}: no request outside the file: ${outside.join(', ') || 'none'}`);
  check(seen.problems.length === 0, `${name}: no page error or policy violation: ${seen.problems.join('; ') || 'none'}`);
}

async function shots(page, dir, name) {
  if (!dir) return;
  for (const [w, h] of [[1280, 800], [768, 1024]]) {
    await page.setViewportSize({ width: w, height: h });
    await page.waitForTimeout(100);
    await page.screenshot({ path: path.join(dir, `${name}-${w}x${h}.png`), fullPage: true });
  }
  await page.setViewportSize({ width: 1280, height: 800 });
}

// Solved right by one way of pressing: 100 %, passed, nothing marked.
async function solvedRight(browser, dir, kind, how) {
  const file = path.join(dir, `${kind}.html`);
  const options = how === 'touch' ? { hasTouch: true } : {};
  const { context, page, seen } = await open(browser, file, options);
  const cdp = how === 'touch' ? await context.newCDPSession(page) : null;
  if (how === 'touch') {
    await page.evaluate(() => {
      window.touched = 0;
      document.addEventListener('pointerdown', (e) => { if (e.pointerType === 'touch') window.touched++; });
    });
  }
  const p = await plan(page);
  const press = presser(page, page.mainFrame(), how, cdp);
  check(await solve(page.mainFrame(), press, p), `${kind} by ${how}: every cell takes its answer`);
  await press('#check');
  const r = await result(page);
  check(r.score === '100' && r.status === 'passed' && r.wrong.length === 0,
    `${kind} by ${how}: solved right scores 100 %, passed, nothing marked (${r.score}, ${r.status}, ${r.wrong})`);
  if (how === 'touch') {
    const touched = await page.evaluate(() => window.touched);
    check(touched > 0, `${kind} by touch: the presses came as touch (${touched} touch pointers)`);
  }
  nothingOutside(`${kind} by ${how}`, file, seen);
  await context.close();
}

// Wrong answers: one changed cell left as the sheet has it, one right cell
// turned away; exactly those marked, the score by the rule. Then "Zkusit
// znovu" keeps the work, and putting the two right gives 100 %.
async function wrongAnswers(browser, dir, kind, shotDir) {
  const file = path.join(dir, `${kind}.html`);
  const { context, page, seen } = await open(browser, file);
  const frame = page.mainFrame();
  const p = await plan(page);
  const press = presser(page, frame, 'mouse');
  const size = fs.statSync(file).size;
  check(size < LIMIT, `${kind}.html: ${size} bytes, under 600 KB`);
  check(await page.evaluate(() => document.documentElement.scrollWidth <= innerWidth),
    `${kind}: no sideways scrolling at 1280 px`);
  await shots(page, shotDir, `${kind}-before`);
  const left = p.cells.find((c) => c.changed && !right(c, c.shown));
  const spoilt = p.cells.find((c) => !c.changed && !c.fill);
  const choices = {};
  for (const c of p.cells) choices[c.key] = c.answer;
  choices[left.key] = left.shown;
  // The next turn clockwise: what one tap gives.
  await press(`[data-key="${spoilt.key}"]`);
  choices[spoilt.key] = await current(frame, spoilt.key);
  check(!right(spoilt, choices[spoilt.key]), `${kind}: one tap turns a right picture away`);
  check(await solve(frame, press, p, choices), `${kind}: the wrong and right answers are given`);
  await press('#check');
  const r = await result(page);
  const want = expected(p.cells, choices);
  check(JSON.stringify(r.wrong) === JSON.stringify([left.key, spoilt.key].sort()),
    `${kind}: exactly the two wrong cells are marked (${r.wrong})`);
  check(r.score === String(want) && r.status === (want >= p.pass ? 'passed' : 'failed'),
    `${kind}: the score follows the rule: ${r.score} % (${want} % expected), ${r.status}`);
  check(r.text.includes(`${want} %`), `${kind}: the page says the score: ${r.text}`);
  const disabled = await page.$$eval('#board button.cell', (nodes) => nodes.every((n) => n.disabled));
  check(disabled, `${kind}: after checking the cells wait for "Zkusit znovu"`);
  await shots(page, shotDir, `${kind}-checked`);

  await press('#retry');
  const after = await result(page);
  let kept = true;
  for (const c of p.cells) kept = kept && same(await current(frame, c.key), choices[c.key]);
  check(after.wrong.length === 0 && kept, `${kind}: "Zkusit znovu" clears the marks and keeps the work`);
  check(await solve(frame, press, p), `${kind}: the two put right`);
  await press('#check');
  const again = await result(page);
  check(again.score === '100' && again.status === 'passed', `${kind}: then 100 % (${again.score})`);
  nothingOutside(`${kind} wrong answers`, file, seen);
  await context.close();
}

// The package in a learning platform: a host page whose API is
// scorm-again's, the package's page in a frame, all served by routes.
async function scorm(browser, dir, kind, correct) {
  const unpacked = path.join(dir, `scorm-${kind}`);
  fs.rmSync(unpacked, { recursive: true, force: true });
  execFileSync('python3', ['-m', 'zipfile', '-e', path.join(dir, `${kind}-scorm.zip`), unpacked]);
  const files = fs.readdirSync(unpacked).sort();
  check(JSON.stringify(files) === JSON.stringify(['imsmanifest.xml', 'index.html']),
    `${kind}-scorm.zip: imsmanifest.xml and index.html (${files})`);
  const manifest = fs.readFileSync(path.join(unpacked, 'imsmanifest.xml'), 'utf8');
  const host = `<!DOCTYPE html><meta charset="utf-8"><script src="scorm12.js"></script>
<script>
window.log = [];
window.API = new Scorm12API({ logLevel: 5 });
['LMSInitialize', 'LMSCommit', 'LMSFinish'].forEach((e) => API.on(e, () => log.push(e)));
API.on('LMSSetValue.cmi.*', (element, value) => log.push(element + '=' + value));
</script>
<iframe id="sco" src="pkg/index.html" style="width:1200px;height:900px"></iframe>`;
  const context = await browser.newContext({ viewport: { width: 1280, height: 1000 } });
  const asked = [];
  await context.route('http://lms.test/**', (route) => {
    const url = new URL(route.request().url());
    asked.push(url.pathname);
    if (url.pathname === '/host.html') return route.fulfill({ contentType: 'text/html', body: host });
    if (url.pathname === '/scorm12.js')
      return route.fulfill({ path: path.join(__dirname, 'node_modules/scorm-again/dist/scorm12.js') });
    if (url.pathname.startsWith('/pkg/'))
      return route.fulfill({ path: path.join(unpacked, url.pathname.slice(5)) });
    return route.fulfill({ status: 404, body: '' });
  });
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push(e.message));
  await page.goto('http://lms.test/host.html');
  const frameHandle = await page.waitForSelector('#sco');
  const frame = await frameHandle.contentFrame();
  await frame.waitForFunction(() => document.body.dataset.ready === '1');
  const name = `SCORM ${kind} ${correct ? 'solved' : 'with a wrong answer'}`;
  check(await frame.evaluate(() => document.body.dataset.lms) === 'connected',
    `${name}: the page found the platform's API`);
  const p = await plan(frame);
  const choices = {};
  if (!correct) {
    // Two changed cells left as the sheet has them: below the pass mark.
    const left = p.cells.filter((c) => c.changed && !right(c, c.shown)).slice(0, 2).map((c) => c.key);
    for (const c of p.cells) choices[c.key] = left.includes(c.key) ? c.shown : c.answer;
  }
  const press = presser(page, frame, 'mouse');
  await solve(frame, press, p, choices);
  await press('#check');
  const want = correct ? 100 : expected(p.cells, { ...Object.fromEntries(p.cells.map((c) => [c.key, c.answer])), ...choices });
  const status = want >= p.pass ? 'passed' : 'failed';
  const cmi = await page.evaluate(() => ({ raw: API.cmi.core.score.raw, min: API.cmi.core.score.min,
    max: API.cmi.core.score.max, status: API.cmi.core.lesson_status, log: window.log.slice() }));
  check(cmi.raw === String(want) && cmi.min === '0' && cmi.max === '100',
    `${name}: score raw ${cmi.raw} (${want} expected), min ${cmi.min}, max ${cmi.max}`);
  check(cmi.status === status, `${name}: lesson status ${cmi.status} (${status} at ${p.pass} %)`);
  if (!correct) check(cmi.status === 'failed', `${name}: below the pass mark the platform hears "failed"`);
  check(manifest.includes(`<adlcp:masteryscore>${p.pass}</adlcp:masteryscore>`),
    `${name}: the manifest's mastery score is the pass mark ${p.pass}`);
  const rawAt = cmi.log.indexOf('cmi.core.score.raw=' + want);
  check(cmi.log[0] === 'LMSInitialize' && rawAt > 0 && cmi.log.indexOf('LMSCommit', rawAt) > rawAt,
    `${name}: initialised, then the score set and committed: ${cmi.log.join(', ')}`);
  check(!cmi.log.includes('LMSFinish'), `${name}: not finished while the pupil works`);
  // The pupil leaves: the frame's page goes away.
  await page.evaluate(() => document.getElementById('sco').remove());
  await page.waitForTimeout(200);
  const finished = await page.evaluate(() => ({ log: window.log.slice(), done: API.isTerminated() }));
  check(finished.log.includes('LMSFinish') && finished.done, `${name}: LMSFinish when the pupil leaves`);
  const outside = asked.filter((a) => !['/host.html', '/scorm12.js', '/pkg/index.html'].includes(a));
  check(outside.length === 0 && problems.length === 0,
    `${name}: the page asked for nothing else and had no error: ${outside.concat(problems).join(', ') || 'none'}`);
  await context.close();
}

// The 3D help: offered over http beside the folder for the web, where it
// shows the cube with the bundled X_ITE; from a file it is not offered.
async function view3d(browser, dir, shotDir) {
  const web = path.join(dir, 'web');
  const file = path.join(web, 'quiz-3d.html');
  const fromFile = await open(browser, file);
  check(await fromFile.page.$('#view3d button') === null, '3D: not offered from a file');
  nothingOutside('3D page from a file', file, fromFile.seen);
  await fromFile.context.close();

  const plain = await open(browser, path.join(dir, 'quiz.html'));
  check(await plain.page.$('#view3d button') === null, '3D: not offered when the teacher did not allow it');
  await plain.context.close();

  const server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', web],
    { stdio: ['ignore', 'pipe', 'ignore'] });
  try {
    const port = ((await lines(server)(20000)).match(/port (\d+)/) || [])[1];
    const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
    const page = await context.newPage();
    const seen = watch(page);
    await page.goto(`http://127.0.0.1:${port}/quiz-3d.html`);
    await page.waitForFunction(() => document.body.dataset.ready === '1');
    const button = await page.$('#view3d button');
    check(!!button, '3D: offered over http when allowed');
    if (button) {
      await button.click();
      const state = await page.waitForFunction(() => document.querySelector('#view3d').dataset.state
        || document.querySelector('#view3d p'), null, { timeout: 90000 }).then(() =>
        page.evaluate(() => document.querySelector('#view3d').dataset.state || 'failed'));
      check(state === 'loaded', `3D: the cube's model loads in X_ITE (${state})`);
      if (shotDir) {
        await page.waitForTimeout(1500);
        await page.screenshot({ path: path.join(shotDir, 'quiz-3d-1280x800.png'), fullPage: true });
      }
      const policy = seen.problems.filter((m) => /Content Security Policy/i.test(m));
      check(policy.length === 0, `3D: X_ITE runs within the page's policy: ${policy.join('; ') || 'no violation'}`);
      const origin = `http://127.0.0.1:${port}/`;
      const outside = seen.requests.filter((u) => !u.startsWith(origin) && !u.startsWith('data:')
        && !u.startsWith('blob:'));
      check(outside.length === 0, `3D: everything from the page's own folder: ${outside.join(', ') || 'yes'}`);
    }
    await context.close();
  } finally {
    server.kill();
  }
}

async function main() {
  const args = process.argv.slice(2);
  const dir = args[0] && path.resolve(args[0]);
  const shotDir = args[1] === '--shots' ? path.resolve(args[2]) : null;
  if (!dir) throw new Error('usage: node exercise-test.js DIR [--shots SHOTS]');
  if (shotDir) fs.mkdirSync(shotDir, { recursive: true });
  const browser = await launch('exercise-test');
  try {
    await solvedRight(browser, dir, 'quiz', 'mouse');
    await solvedRight(browser, dir, 'trace', 'mouse');
    await solvedRight(browser, dir, 'quiz', 'keyboard');
    await solvedRight(browser, dir, 'trace', 'touch');
    await wrongAnswers(browser, dir, 'quiz', shotDir);
    await wrongAnswers(browser, dir, 'trace', shotDir);
    await scorm(browser, dir, 'quiz', true);
    await scorm(browser, dir, 'trace', false);
    await view3d(browser, dir, shotDir);
  } finally {
    await browser.close();
  }
}

run(main);
