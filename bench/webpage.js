// The web viewer's page against a bare X_ITE page, in headless Chromium:
//   node webpage.js WEBSERVE [RUNS]
// WEBSERVE (tests/vrml/webserve.cpp) serves the demo cube through the
// program's own server. The bare page only loads the same X_ITE files and
// the same model (the folder "Uložit pro web" writes, served by Python's
// http.server) into a canvas that fills the window. Each run opens both, one
// right after the other in alternating order, each in a fresh browser
// context (empty cache), and takes the time from the start of navigation to
// the scene with all six pictures of the cube KR loaded (X_ITE's load
// state), and the bytes transferred (headers and bodies of every response).
'use strict';
const { spawn } = require('child_process');
const fs = require('fs');
const os = require('os');
const path = require('path');
const readline = require('readline');
const { fileURLToPath } = require('url');

const CHROMIUM_ARGS = ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--no-first-run', '--headless'];
const BARE_PAGE = `<!DOCTYPE html>
<html><head><meta charset="utf-8"><link rel="icon" href="data:,"></head>
<body style="margin:0;overflow:hidden">
<script src="x_ite/x_ite.min.js"></script>
<x3d-canvas id="c" src="model.wrl" splashScreen="false" contextMenu="false" notifications="false"
  style="display:block;width:100vw;height:100vh"></x3d-canvas>
</body></html>
`;

function firstLine(stream) {
  return new Promise((resolve, reject) => {
    const lines = readline.createInterface({ input: stream });
    const timer = setTimeout(() => reject(new Error('no answer')), 60000);
    lines.once('line', (line) => { clearTimeout(timer); lines.close(); resolve(line); });
  });
}

// Milliseconds from navigation start until all six textures of KR are
// loaded, as the page itself sees it; checked every 10 ms.
function picturesLoaded() {
  try {
    const inner = (node, name) => node.getValue().getBody().getNamedNode(name);
    const scene = X3D.getBrowser('#c').currentScene;
    const kr = inner(scene.getNamedNode('HRA'), 'KR');
    for (let k = 0; k < 6; k++)
      if (inner(kr, 'I' + k).getValue().checkLoadState() !== X3D.X3DConstants.COMPLETE_STATE) return false;
    return performance.now();
  } catch (e) {
    return false;
  }
}

async function measure(browser, url) {
  const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
  const page = await context.newPage();
  const sizes = [];
  let failed = 0;
  page.on('requestfinished', (request) => sizes.push(request.sizes()));
  page.on('response', (response) => { if (response.status() >= 400) failed++; });
  await page.goto(url);
  const handle = await page.waitForFunction(picturesLoaded, null, { polling: 10, timeout: 120000 });
  const ms = await handle.jsonValue();
  await page.waitForTimeout(300);   // late requests still count in the transfer
  let bytes = 0;
  for (const size of await Promise.all(sizes)) bytes += size.responseBodySize + size.responseHeadersSize;
  const requests = sizes.length;
  await context.close();
  return { ms, bytes, requests, failed };
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  const mid = sorted.length >> 1;
  return sorted.length % 2 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
};

async function main() {
  const [webserve, runsText] = process.argv.slice(2);
  const runs = Number(runsText || 7);
  if (!webserve || !(runs > 0)) throw new Error('usage: node webpage.js WEBSERVE [RUNS]');
  const { chromium } = require(path.join(__dirname, '../tests/vrml/node_modules/playwright-core'));
  const work = fs.mkdtempSync(path.join(os.tmpdir(), 'vemtal-bench-'));
  const program = spawn(webserve, [work], { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' },
    stdio: ['pipe', 'pipe', 'ignore'] });
  let server = null;
  let browser = null;
  try {
    const lines = readline.createInterface({ input: program.stdout });
    const answers = [];
    lines.on('line', (line) => answers.push(line));
    const answer = async () => {
      for (let waited = 0; !answers.length; waited += 50) {
        if (waited > 60000) throw new Error('webserve does not answer');
        await new Promise((resolve) => setTimeout(resolve, 50));
      }
      return answers.shift();
    };
    // The program hands out a local page that forwards to its server.
    const forward = fs.readFileSync(fileURLToPath((await answer()).replace(/^url /, '')), 'utf8');
    const ours = forward.match(/content="0; url=([^"]+)"/)[1];
    const site = path.join(work, 'site');
    program.stdin.write('save ' + site + '\n');
    if ((await answer()) !== 'saved') throw new Error('the site could not be saved');
    fs.writeFileSync(path.join(site, 'bare.html'), BARE_PAGE);
    server = spawn('python3', ['-u', '-m', 'http.server', '0', '--bind', '127.0.0.1', '--directory', site],
      { stdio: ['ignore', 'pipe', 'ignore'] });
    const port = ((await firstLine(server.stdout)).match(/port (\d+)/) || [])[1];
    const bare = `http://127.0.0.1:${port}/bare.html`;

    browser = await chromium.launch({ executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
      headless: true, args: CHROMIUM_ARGS });
    await measure(browser, bare);   // warm-up: disk cache of the files, Chromium's own start
    const results = { ours: [], bare: [] };
    for (let run = 0; run < runs; run++) {
      const order = run % 2 ? ['bare', 'ours'] : ['ours', 'bare'];
      for (const which of order) results[which].push(await measure(browser, which === 'ours' ? ours : bare));
    }
    const report = (name, list) => {
      const ms = list.map((r) => r.ms);
      console.log(`${name}: median ${median(ms).toFixed(0)} ms (min ${Math.min(...ms).toFixed(0)}, `
        + `max ${Math.max(...ms).toFixed(0)}), transfer ${list[0].bytes} bytes in ${list[0].requests} `
        + `responses, ${list[0].failed} failed`);
    };
    report('program page', results.ours);
    report('bare page   ', results.bare);
    const ratio = median(results.ours.map((r) => r.ms)) / median(results.bare.map((r) => r.ms));
    console.log(`ratio (medians): ${ratio.toFixed(2)}; runs: ${runs}`);
    console.log('per run (program, bare) ms: '
      + results.ours.map((r, i) => `${r.ms.toFixed(0)}/${results.bare[i].ms.toFixed(0)}`).join(' '));
  } finally {
    if (browser) await browser.close();
    if (server) server.kill();
    program.stdin.end('quit\n');
    fs.rmSync(work, { recursive: true, force: true });
  }
}

main().catch((e) => {
  console.error('webpage: ' + e.message);
  process.exit(2);
});
