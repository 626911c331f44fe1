// Loads a VRML world in X_ITE inside headless Chromium and reports the errors
// and warnings the viewer printed while loading it and running its scripts.
//   node check.js FILE.wrl [--wait S] [--screenshot OUT.png] [--eval JS]...
// --eval takes a JS expression (or @file with one) that runs in the page after
// the wait; X3D.getBrowser('#c') is the viewer. A promise is awaited, a thrown
// error counts as an error, a result is printed.
// Exit status: 0 no error, 1 errors, 2 the check could not run.
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { pathToFileURL } = require('url');

const CHROMIUM_ARGS = [
  '--no-sandbox',
  '--use-angle=swiftshader',
  '--enable-unsafe-swiftshader',
  '--allow-file-access-from-files',
  '--disable-background-networking',
  '--disable-component-update',
  '--disable-sync',
  '--no-first-run',
  '--headless',
];
const WIDTH = 800;
const HEIGHT = 600;

class UsageError extends Error {}

function parseArgs(argv) {
  const opts = { file: null, wait: 3, screenshot: null, evals: [] };
  const value = (i) => {
    if (i >= argv.length) throw new UsageError('missing value after ' + argv[i - 1]);
    return argv[i];
  };
  for (let i = 0; i < argv.length; i++) {
    const a = argv[i];
    if (a === '--wait') {
      opts.wait = Number(value(++i));
      if (!Number.isFinite(opts.wait) || opts.wait < 0) throw new UsageError('bad --wait: ' + argv[i]);
    } else if (a === '--screenshot') {
      opts.screenshot = path.resolve(value(++i));
    } else if (a === '--eval') {
      const js = value(++i);
      opts.evals.push(js.startsWith('@') ? fs.readFileSync(js.slice(1), 'utf8') : js);
    } else if (a.startsWith('--') || opts.file) {
      throw new UsageError('unexpected argument: ' + a);
    } else {
      opts.file = path.resolve(a);
    }
  }
  if (!opts.file) throw new UsageError('usage: node check.js FILE.wrl [--wait S] [--screenshot OUT.png] [--eval JS]');
  if (!fs.existsSync(opts.file)) throw new UsageError('no such file: ' + opts.file);
  return opts;
}

function viewerPage(xite, world) {
  return `<!DOCTYPE html>
<html><head><meta charset="utf-8"></head>
<body style="margin:0">
<script src="${pathToFileURL(xite)}"></script>
<x3d-canvas id="c" splashScreen="false" style="display:block;width:${WIDTH}px;height:${HEIGHT}px"
  src="${pathToFileURL(world)}"></x3d-canvas>
</body></html>
`;
}

// Counts of what the loaded world holds, or why it is not there.
function sceneSummary() {
  try {
    const scene = X3D.getBrowser('#c').currentScene;
    if (!scene || scene.rootNodes.length === 0) return { loaded: false };
    return { loaded: true, rootNodes: scene.rootNodes.length, protos: scene.protos.length, routes: scene.routes.length };
  } catch (e) {
    return { loaded: false, reason: String(e) };
  }
}

async function run(opts) {
  let chromium;
  let xite;
  try {
    ({ chromium } = require('playwright-core'));
    xite = require.resolve('x_ite/x_ite.min.js');
  } catch (e) {
    throw new Error('node modules missing (run npm install in ' + __dirname + '): ' + e.message);
  }
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'vemtal-vrml-'));
  const html = path.join(dir, 'view.html');
  fs.writeFileSync(html, viewerPage(xite, opts.file));

  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    args: CHROMIUM_ARGS,
  });
  const report = [];
  let errors = 0;
  try {
    const page = await browser.newPage({ viewport: { width: WIDTH, height: HEIGHT } });
    page.on('console', (msg) => {
      const type = msg.type();
      if (type === 'error' || type === 'warning') errors++;
      report.push(type + ': ' + msg.text());
    });
    page.on('pageerror', (err) => {
      errors++;
      report.push('pageerror: ' + err.message);
    });
    await page.goto(pathToFileURL(html).href);
    await page.waitForTimeout(opts.wait * 1000);
    // A busy machine may need longer than the wait: poll for the scene, up
    // to a minute more.
    let summary = await page.evaluate(sceneSummary);
    for (let tries = 0; !summary.loaded && tries < 120; tries++) {
      await page.waitForTimeout(500);
      summary = await page.evaluate(sceneSummary);
    }
    if (summary.loaded) {
      report.push(`scene: ${summary.rootNodes} root nodes, ${summary.protos} prototypes, ${summary.routes} routes`);
    } else {
      errors++;
      report.push('scene: not loaded' + (summary.reason ? ' (' + summary.reason + ')' : ''));
    }
    for (const js of opts.evals) {
      try {
        report.push('eval: ' + JSON.stringify(await page.evaluate(js)));
      } catch (e) {
        errors++;
        report.push('eval error: ' + e.message.split('\n')[0]);
      }
    }
    if (opts.screenshot) await page.screenshot({ path: opts.screenshot });
  } finally {
    await browser.close();
    fs.rmSync(dir, { recursive: true, force: true });
  }
  return { report, errors };
}

(async () => {
  let opts;
  try {
    opts = parseArgs(process.argv.slice(2));
  } catch (e) {
    if (!(e instanceof UsageError)) throw e;
    console.error('check.js: ' + e.message);
    process.exit(2);
  }
  let result;
  try {
    result = await run(opts);
  } catch (e) {
    console.error('check.js: could not run: ' + e.message);
    process.exit(2);
  }
  for (const line of result.report) console.log(line);
  console.log(result.errors === 0 ? 'check.js: no errors' : `check.js: ${result.errors} error(s) or warning(s)`);
  process.exit(result.errors === 0 ? 0 : 1);
})();
