(function () {
  'use strict';
  // The exercise's data: the nets, every cell as the sheet shows it and the
  // choices that count as right (computed by the program); this script only
  // compares.
  var D = JSON.parse(document.getElementById('data').textContent);
  var T = D.texts;
  var SVG = 'http://www.w3.org/2000/svg';
  var el = function (id) { return document.getElementById(id); };
  var fill = function (text) {
    var args = arguments;
    return text.replace(/%(\d)/g, function (m, i) { return args[+i] !== undefined ? args[+i] : m; });
  };
  var cells = [];          // every cell the pupil may change
  var selected = null;     // the blank cell a picture goes into
  var locked = false;

  // A pose: mirrored left to right first, then quarter turns clockwise.
  function transform(pose) {
    return 'rotate(' + (90 * pose[1]) + 'deg)' + (pose[0] ? ' scaleX(-1)' : '');
  }
  function pct(v, whole) { return (100 * v / whole) + '%'; }

  function draw(cell) {
    var c = cell.choice;
    cell.img.hidden = c[0] === 0;
    if (c[0] !== 0) {
      cell.img.src = D.pictures[c[0] - 1];
      cell.img.style.transform = transform(cell.net.poses[c[1] & 3]);
    }
    cell.node.classList.toggle('empty', c[0] === 0);
    cell.node.dataset.face = c[0];
    cell.node.dataset.turn = c[1];
    var state = c[0] === 0 ? T.empty : fill(T.cellState, c[0], c[1]);
    var label = cell.label + ': ' + state + (cell.wrong ? ', ' + T.wrong : '');
    cell.node.setAttribute('aria-label', label);
    cell.node.title = label;
  }

  // The turn whose picture lies a quarter turn further clockwise.
  function nextTurn(net, turn) {
    var p = net.poses[turn & 3];
    for (var t = 0; t < 4; t++) {
      var q = net.poses[t];
      if (q[0] === p[0] && q[1] === (p[1] + 1) % 4) return t;
    }
    return (turn + 1) % 4;
  }

  function select(cell) {
    if (selected) selected.node.classList.remove('selected');
    selected = cell;
    if (cell) cell.node.classList.add('selected');
    var choose = el('choose');
    choose.textContent = cell ? T.choose : '';
    choose.classList.toggle('active', !!cell);
    el('palette').classList.toggle('idle', !cell);
  }

  function press(cell) {
    if (locked) return;
    if (cell.fill) select(cell);
    else select(null);
    if (cell.choice[0] !== 0) cell.choice = [cell.choice[0], nextTurn(cell.net, cell.choice[1])];
    draw(cell);
  }

  // A picture of the palette into the selected blank cell, in turn 0.
  function choose(face) {
    if (locked || !selected) return;
    selected.choice = [face, 0];
    draw(selected);
    selected.node.focus();
  }

  function cellLabel(net, c) {
    if (D.kind === 'quiz') return fill(T.square, net.index, c.n);
    return (D.nets.length > 1 ? net.title + ', ' : '') + fill(T.field, c.c, c.r);
  }

  // The net's cells as buttons (or, fixed, as plain boxes) at their pixel
  // places; an interactive net's buttons are the pupil's cells.
  function buildNet(net, box, interactive, onPress) {
    var frame = document.createElement('div');
    frame.className = 'net';
    if (net.grid || net.arrows.length) {
      var svg = document.createElementNS(SVG, 'svg');
      svg.setAttribute('viewBox', '0 0 ' + net.w + ' ' + net.h);
      svg.setAttribute('aria-hidden', 'true');
      var path = function (d, colour, width) {
        var p = document.createElementNS(SVG, 'path');
        p.setAttribute('d', d);
        p.setAttribute('fill', 'none');
        p.setAttribute('stroke', colour);
        p.setAttribute('stroke-width', width);
        svg.appendChild(p);
      };
      if (net.grid) {
        var d = '';
        for (var x = 0; x <= 13; x++) d += 'M' + (33 * x + 0.5) + ' 0V' + net.h;
        for (var y = 0; y <= 7; y++) d += 'M0 ' + (33 * y + 0.5) + 'H' + net.w;
        path(d, '#c0c0c0', 1);
      }
      frame.appendChild(svg);
    }
    net.cells.forEach(function (c, i) {
      var node = document.createElement(c.fixed ? 'div' : 'button');
      node.className = 'cell';
      node.dataset.key = (interactive ? net.index : 0) + ':' + i;
      if (node.tagName === 'BUTTON') node.type = 'button';
      node.style.left = pct(c.x - 1, net.w);
      node.style.top = pct(c.y - 1, net.h);
      node.style.width = pct(34, net.w);
      node.style.height = pct(34, net.h);
      var img = document.createElement('img');
      img.alt = '';
      img.draggable = false;
      node.appendChild(img);
      frame.appendChild(node);
      var cell = { data: c, net: net, node: node, img: img, choice: c.shown.slice(),
                   fill: c.fill, label: cellLabel(net, c), wrong: false };
      draw(cell);
      if (!c.fixed) {
        node.addEventListener('click', function () { onPress(cell); });
        if (interactive) cells.push(cell);
      }
    });
    if (net.arrows.length) {
      // The arrows over the fields, as the sheet draws them across the grid lines.
      var top = document.createElementNS(SVG, 'svg');
      top.setAttribute('viewBox', '0 0 ' + net.w + ' ' + net.h);
      top.setAttribute('aria-hidden', 'true');
      var d2 = '';
      net.arrows.forEach(function (a) {
        d2 += 'M' + (a[0] + 0.5) + ' ' + (a[1] + 0.5) + 'L' + (a[2] + 0.5) + ' ' + (a[3] + 0.5)
          + 'L' + (a[4] + 0.5) + ' ' + (a[5] + 0.5);
      });
      var p2 = document.createElementNS(SVG, 'path');
      p2.setAttribute('d', d2);
      p2.setAttribute('fill', 'none');
      p2.setAttribute('stroke', '#000');
      p2.setAttribute('stroke-width', '1.4');
      p2.setAttribute('stroke-linejoin', 'round');
      top.appendChild(p2);
      top.style.zIndex = 4;
      frame.appendChild(top);
    }
    box.appendChild(frame);
    return frame;
  }

  function same(a, b) { return a[0] === b[0] && a[1] === b[1]; }
  function right(cell) {
    return cell.data.accepted.some(function (a) { return same(a, cell.choice); });
  }

  // The score: changed cells now right, less unchanged cells now wrong,
  // over the changed cells; never below 0.
  function score() {
    var changed = 0, corrected = 0, spoilt = 0;
    cells.forEach(function (cell) {
      var ok = right(cell);
      if (cell.data.changed) { changed++; if (ok) corrected++; } else if (!ok) spoilt++;
    });
    var percent = changed ? Math.max(0, Math.floor(100 * (corrected - spoilt) / changed)) : 100;
    return { percent: percent, changed: changed, corrected: corrected, spoilt: spoilt };
  }

  // The learning platform's API (SCORM 1.2), found by the standard search:
  // this window and its parents, then the window that opened it.
  var lms = (function () {
    function find(win) {
      for (var i = 0; win && i < 10; i++) {
        try {
          if (win.API && typeof win.API.LMSInitialize === 'function') return win.API;
          if (win.parent === win) return null;
          win = win.parent;
        } catch (e) {
          return null;   // another origin's window
        }
      }
      return null;
    }
    var api = find(window);
    if (!api) { try { api = window.opener ? find(window.opener) : null; } catch (e) { api = null; } }
    if (!api || String(api.LMSInitialize('')) !== 'true') return null;
    var status = String(api.LMSGetValue('cmi.core.lesson_status'));
    if (status === '' || status === 'not attempted') {
      api.LMSSetValue('cmi.core.lesson_status', 'incomplete');
      api.LMSCommit('');
    }
    var finished = false;
    function finish() {
      if (finished) return;
      finished = true;
      api.LMSFinish('');
    }
    window.addEventListener('pagehide', finish);
    window.addEventListener('beforeunload', finish);
    return {
      report: function (s, passed) {
        api.LMSSetValue('cmi.core.score.min', '0');
        api.LMSSetValue('cmi.core.score.max', '100');
        api.LMSSetValue('cmi.core.score.raw', String(s.percent));
        api.LMSSetValue('cmi.core.lesson_status', passed ? 'passed' : 'failed');
        api.LMSCommit('');
      }
    };
  })();

  function check() {
    var s = score();
    cells.forEach(function (cell) {
      cell.wrong = !right(cell);
      cell.node.classList.toggle('wrong', cell.wrong);
      cell.node.disabled = true;
      draw(cell);
    });
    select(null);
    locked = true;
    document.body.classList.add('locked');
    var passed = s.percent >= D.pass;
    var result = el('result');
    result.textContent = fill(T.result, s.percent, s.corrected, s.changed, s.spoilt) + ' '
      + (passed ? T.passed : T.failed);
    result.className = passed ? 'passed' : 'failed';
    document.body.dataset.score = s.percent;
    document.body.dataset.status = passed ? 'passed' : 'failed';
    el('check').hidden = true;
    el('retry').hidden = false;
    el('retry').focus();
    if (lms) lms.report(s, passed);
  }

  // Back to work: the marks go, the pupil's choices stay.
  function retry() {
    locked = false;
    document.body.classList.remove('locked');
    cells.forEach(function (cell) {
      cell.wrong = false;
      cell.node.classList.remove('wrong');
      cell.node.disabled = false;
      draw(cell);
    });
    el('result').textContent = '';
    el('result').className = '';
    delete document.body.dataset.status;
    el('retry').hidden = true;
    el('check').hidden = false;
    if (cells.length) cells[0].node.focus();
  }

  // The cube in 3D: only over http, from the folder "Uložit pro web" writes
  // (x_ite/ and model.wrl beside this page). From a file nothing is asked for.
  function offer3d() {
    if (!D.allow3d || !/^https?:$/.test(location.protocol)) return;
    var box = el('view3d');
    var button = document.createElement('button');
    button.type = 'button';
    button.textContent = T.show3d;
    box.appendChild(button);
    button.addEventListener('click', function () {
      button.disabled = true;
      var failed = function () {
        var p = document.createElement('p');
        p.textContent = T.failed3d;
        box.appendChild(p);
      };
      var script = document.createElement('script');
      script.src = 'x_ite/x_ite.min.js';
      script.onerror = failed;
      script.onload = function () {
        var canvas = document.createElement('x3d-canvas');
        ['splashScreen', 'contextMenu', 'notifications'].forEach(function (a) {
          canvas.setAttribute(a, 'false');
        });
        el('cube3d').appendChild(canvas);
        // X_ITE sizes its canvas by pixels: as wide as the page allows, 1.75 times as wide as high.
        var fit = function () {
          var width = Math.min(el('cube3d').clientWidth - 40, 1120);
          canvas.style.width = width + 'px';
          canvas.style.height = Math.round(width / 1.75) + 'px';
        };
        fit();
        window.addEventListener('resize', fit);
        canvas.scrollIntoView({ block: 'nearest' });
        X3D.getBrowser(canvas).loadURL(new X3D.MFString('model.wrl')).then(function () {
          box.dataset.state = 'loaded';
        }, failed);
      };
      document.head.appendChild(script);
    });
  }

  function build() {
    el('title').textContent = D.kind === 'quiz' ? T.quizTitle : T.traceTitle;
    el('task').textContent = D.task.join('\n');
    el('help').textContent = D.kind === 'quiz' ? T.quizHelp : T.traceHelp;
    el('pictures').textContent = T.pictures;
    el('check').textContent = T.check;
    el('retry').textContent = T.retry;
    el('rule').textContent = fill(T.rule, D.pass);
    var board = el('board');
    board.className = D.kind;
    D.nets.forEach(function (net, i) {
      net.index = i + 1;
      net.title = net.number === 2 ? T.lowerNet : T.upperNet;
      var box = board;
      if (D.kind === 'trace') {
        box = document.createElement('div');
        box.className = 'trace-net';
        if (D.nets.length > 1) {
          var h = document.createElement('h2');
          h.textContent = net.title;
          box.appendChild(h);
        }
        board.appendChild(box);
      }
      buildNet(net, box, true, press);
    });
    var palette = el('palette');
    palette.classList.add('idle');
    if (D.die) {
      // The die's net is the palette: a square chooses its picture.
      palette.classList.add('die');
      D.die.cells.forEach(function (c) { c.fixed = false; });
      buildNet(D.die, palette, false, function (cell) { choose(cell.choice[0]); });
      Array.prototype.forEach.call(palette.querySelectorAll('.cell'), function (node, i) {
        var label = fill(T.picture, D.die.cells[i].shown[0]);
        node.setAttribute('aria-label', label);
        node.title = label;
      });
    } else {
      D.pictures.forEach(function (src, i) {
        var b = document.createElement('button');
        b.type = 'button';
        b.className = 'choice';
        var label = fill(T.picture, i + 1);
        b.setAttribute('aria-label', label);
        b.title = label;
        var img = document.createElement('img');
        img.src = src;
        img.alt = '';
        b.appendChild(img);
        b.addEventListener('click', function () { choose(i + 1); });
        palette.appendChild(b);
      });
    }
    el('check').addEventListener('click', check);
    el('retry').addEventListener('click', retry);
    document.addEventListener('keydown', function (e) {
      if (e.key === 'Escape') select(null);
    });
    offer3d();
    if (lms) document.body.dataset.lms = 'connected';
    document.body.dataset.ready = '1';
    if (window.performance && performance.mark) performance.mark('vemtal-ready');
  }

  build();
})();
