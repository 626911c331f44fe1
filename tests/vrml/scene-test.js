// Plays with a model made by make-model.js, as a user would, and checks what
// the world does. For check.js --eval @scene-test.js; throws the list of
// failures, returns a summary when all is well. Assumes the starting view
// ("Front") and a canvas wider than high.
(async () => {
  const FOV = 0.08;
  const VIEWER_Z = 100;
  const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
  const failures = [];
  const done = [];
  const check = (ok, what) => (ok ? done : failures).push(what);
  // Button texts [shown first, shown after a press]; a language file may
  // have replaced them (set window.vemtalButtonTexts in an earlier --eval).
  const label = window.vemtalButtonTexts || {
    RUKA: ['skrýt povrch', 'zobrazit povrch'], RUKA2: ['srovnat polohu', 'srovnat polohu'],
    RUKA3: ['skrýt zezadu', 'zobrazit zezadu'], RUKA4: ['skrýt pohled', 'zobrazit pohled'],
  };

  const browser = X3D.getBrowser('#c');
  const scene = browser.currentScene;
  const canvas = document.querySelector('#c');
  const surface = canvas.shadowRoot.querySelector('.x_ite-private-surface');

  // Nodes inside a prototype instance, by their DEF names.
  const inner = (node, name) => node.getValue().getBody().getNamedNode(name);

  const hra = scene.getNamedNode('HRA');
  const kr = inner(hra, 'KR');
  const node = (name) => inner(hra, name);

  // Screen point of a world point, seen from the starting view.
  const screen = (x, y, z) => {
    const box = canvas.getBoundingClientRect();
    const f = box.height / 2 / Math.tan(FOV / 2) / (VIEWER_Z - z);
    return [box.left + box.width / 2 + x * f, box.top + box.height / 2 - y * f];
  };
  const mouse = (type, [x, y], buttons) =>
    surface.dispatchEvent(new MouseEvent(type, {
      bubbles: true, composed: true, cancelable: true, clientX: x, clientY: y, button: 0, buttons,
    }));
  const click = async (point) => {
    mouse('mousemove', point, 0);
    await sleep(150);
    mouse('mousedown', point, 1);
    await sleep(150);
    mouse('mouseup', point, 0);
    await sleep(300);
  };
  const drag = async (from, dx, dy) => {
    mouse('mousemove', from, 0);
    await sleep(150);
    mouse('mousedown', from, 1);
    for (let i = 1; i <= 10; i++) {
      await sleep(50);
      mouse('mousemove', [from[0] + (dx * i) / 10, from[1] + (dy * i) / 10], 1);
    }
    await sleep(150);
    mouse('mouseup', [from[0] + dx, from[1] + dy], 0);
    await sleep(300);
  };

  const list = (mf) => Array.from({ length: mf.length }, (_, i) => mf[i]);
  // Polls until cond() holds or `ms` pass: frames come late on a loaded machine.
  const eventually = async (cond, ms = 5000) => {
    for (let waited = 0; !cond() && waited < ms; waited += 100) await sleep(100);
    return cond();
  };
  const points = (mf) => Array.from({ length: mf.length }, (_, i) => [mf[i].x, mf[i].y, mf[i].z]);
  const same = (a, b, eps = 1e-4) =>
    a.length === b.length && a.every((p, i) => p.every((v, j) => Math.abs(v - b[i][j]) < eps));
  const flat = (net) => points(node('SIT' + net).keyValue).slice(48, 72);
  const closed = points(node('SITa').keyValue).slice(0, 24);
  const text = (button) => inner(scene.getNamedNode(button), 'T').string[0];
  const urls = (cube) => [0, 1, 2, 3, 4, 5].map((k) => list(inner(cube, 'I' + k).url));
  const angle = (name) => node(name).rotation.angle;

  // Where the parts are on the screen: the cube is moved down by 1 (KRYCHLE),
  // the buttons lie in the plane z = 0 once the panel follows the viewer.
  const ball = screen(-1, 0, 1);
  const frontPad = screen(0, -1, 1.1);
  const frontFace = screen(-0.7, -0.3, 1);
  const button = { RUKA: screen(5, -2.9, 0), RUKA2: screen(5, -3.5, 0), RUKA3: screen(-5, -2.9, 0), RUKA4: screen(-5, -3.5, 0) };

  // The instance and its pictures.
  check(hra && hra.getNodeTypeName() === 'Krychleov', 'HRA is a Krychleov');
  check(kr.getNodeTypeName() === 'Krychlicka', 'KR is a Krychlicka');
  const vzory = list(hra.vzory);
  const rotace = list(hra.rotace);
  check(vzory.length === 6 && rotace.length === 6, 'the tail gives six pictures and six turns');
  const expected = vzory.map((v) => [v]);
  check(JSON.stringify(urls(kr)) === JSON.stringify(expected), 'KR textures got the picture names');
  const copies = ['KR2IN', 'KR3IN'].map((n) => node(n).children[0]);
  check(copies.every((c) => JSON.stringify(urls(c)) === JSON.stringify(expected)), 'both copies got the picture names');
  const turns = [0, 1, 2, 3, 4, 5].map((k) => inner(kr, 'T' + k).rotation);
  check(turns.every((t, k) => Math.abs(t - rotace[k] * 1.57) < 1e-5), 'texture turns are rotace * 1.57');
  check(same(points(kr.body), closed), 'KR starts closed');

  // The button texts shown first.
  check(text('RUKA') === label.RUKA[0], 'RUKA shows ' + label.RUKA[0]);
  check(text('RUKA2') === label.RUKA2[0], 'RUKA2 shows ' + label.RUKA2[0]);
  check(text('RUKA3') === label.RUKA3[0], 'RUKA3 shows ' + label.RUKA3[0]);
  check(text('RUKA4') === label.RUKA4[0], 'RUKA4 shows ' + label.RUKA4[0]);

  // A net started by its timer moves the points and ends flat.
  // On a loaded machine frames come late: poll instead of one fixed sample.
  node('BUDIKa').startTime = Date.now() / 1000;
  let moved = false;
  for (let i = 0; i < 40 && !moved; ++i) {
    await sleep(100);
    const moving = points(kr.body);
    moved = !same(moving, closed) && !same(moving, flat('a'));
  }
  check(moved, 'BUDIKa moves the points of KR');
  let ended = false;
  for (let i = 0; i < 100 && !ended; ++i) {
    await sleep(100);
    ended = same(points(kr.body), flat('a'));
  }
  check(ended, 'net a ends flat');

  // A corner ball folds the cube back.
  await click(ball);
  check(await eventually(() => same(points(kr.body), closed)), 'a corner ball folds the cube back');

  // The front pad starts net d.
  await click(frontPad);
  check(await eventually(() => same(points(kr.body), flat('d')), 10000), 'the front pad unfolds net d');
  await click(ball);
  check(await eventually(() => same(points(kr.body), closed)), 'a corner ball folds net d back');

  // Dragging turns the cube and both copies (when otocna); RUKA2 straightens them.
  await drag(frontFace, 60, 0);
  const turned = node('KRYCHLE').rotation;
  if (hra.otocna) {
    check(await eventually(() => Math.abs(angle('KRYCHLE')) > 0.05), 'dragging turns the cube');
    check(await eventually(() => ['KR2IN', 'KR3IN'].every((n) => node(n).rotation.equals(node('KRYCHLE').rotation))), 'the copies turn with the cube');
  } else {
    check(Math.abs(turned.angle) < 1e-6 && Math.abs(angle('KR2IN')) < 1e-6, 'dragging does not turn a fixed cube');
  }
  await click(button.RUKA2);
  check(await eventually(() => ['KRYCHLE', 'KR2IN', 'KR3IN'].every((n) => Math.abs(angle(n)) < 1e-6)), 'RUKA2 straightens the cube and the copies');
  check(await eventually(() => Math.abs(node('ROTACE').offset.angle) < 1e-6), 'RUKA2 resets the sphere sensor');

  // RUKA hides and shows the pictures of the main cube only.
  await click(button.RUKA);
  check(await eventually(() => urls(kr).every((u) => u.length === 0)), 'RUKA hides the pictures');
  check(await eventually(() => JSON.stringify(urls(copies[0])) === JSON.stringify(expected)), 'the copies keep their pictures');
  check(await eventually(() => text('RUKA') === label.RUKA[1]), 'RUKA then shows ' + label.RUKA[1]);
  await click(button.RUKA);
  check(await eventually(() => JSON.stringify(urls(kr)) === JSON.stringify(expected)), 'RUKA shows the pictures again');
  check(await eventually(() => text('RUKA') === label.RUKA[0]), 'RUKA shows ' + label.RUKA[0] + ' again');

  // RUKA3 and RUKA4 hide and show the copies.
  const scale = (name) => node(name).scale.x;
  await click(button.RUKA3);
  check(await eventually(() => Math.abs(scale('KR2') - 0.01) < 1e-6 && text('RUKA3') === label.RUKA3[1]), 'RUKA3 hides the back view');
  await click(button.RUKA3);
  check(await eventually(() => Math.abs(scale('KR2') - 0.5) < 1e-6 && text('RUKA3') === label.RUKA3[0]), 'RUKA3 shows the back view again');
  await click(button.RUKA4);
  check(await eventually(() => Math.abs(scale('KR3') - 0.01) < 1e-6 && text('RUKA4') === label.RUKA4[1]), 'RUKA4 hides the preview');
  await click(button.RUKA4);
  check(await eventually(() => Math.abs(scale('KR3') - 1) < 1e-6 && text('RUKA4') === label.RUKA4[0]), 'RUKA4 shows the preview again');

  if (failures.length) throw new Error('failed: ' + failures.join('; ') + ' (passed ' + done.length + ')');
  return done.length + ' scene checks passed';
})()
