#!/usr/bin/env python3
"""Installs vemtal into a temporary prefix and starts the installed program.

test_install.py BUILD_DIR SOURCE_DIR VERSION

Checks that every file is installed (data equal to its source, icons at their
sizes), that the file types and the menu entry reach the desktop's caches,
and starts the installed program offscreen from a start folder without
lang.txt with a model, a quiz file and a trace file, under an English and a
Czech locale; its start-up diagnostics (vemtal.start, vemtal.messages) say
what it loaded and must show no message box. Then --help, --version, an
unknown option, and lang.txt in the start folder winning over the locale.
"""
import os
import struct
import subprocess
import sys
import tempfile

build, source, version = sys.argv[1:4]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def write(path, lines):
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write("".join(line + "\r\n" for line in lines))


def run(prefix, work, args, lang, display=True):
    env = {"PATH": os.environ["PATH"], "HOME": work, "LANG": lang,
           "XDG_RUNTIME_DIR": os.path.join(os.path.dirname(work), "runtime"), "QT_LOGGING_RULES": "vemtal.*.info=true"}
    if display:
        env["QT_QPA_PLATFORM"] = "offscreen"
    # A sanitizer build keeps its settings (leak suppressions).
    env.update({k: v for k, v in os.environ.items() if k.endswith("SAN_OPTIONS")})
    try:
        return subprocess.run([os.path.join(prefix, "bin", "vemtal")] + args, cwd=work, env=env,
                              capture_output=True, text=True, timeout=60)
    except subprocess.TimeoutExpired as e:
        # Offscreen, a message box waits for ever: the log says which.
        log = e.stderr.decode() if isinstance(e.stderr, bytes) else (e.stderr or "")
        return subprocess.CompletedProcess(e.cmd, -1, "", log + "\n(timed out)")


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return struct.unpack(">II", head[16:24]) if head[:8] == b"\x89PNG\r\n\x1a\n" else None


with tempfile.TemporaryDirectory() as tmp:
    prefix = os.path.join(tmp, "prefix")
    result = subprocess.run(["cmake", "--install", build, "--prefix", prefix],
                            capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit("cmake --install failed:\n" + result.stdout + result.stderr)
    data = os.path.join(prefix, "share", "vemtal")

    # Every file, the data byte for byte as in the source tree.
    same = {"model/sablona.wrl": "resources/model/sablona.wrl",
            "lang/cs/lang.txt": "lang/cs/lang.txt", "lang/en/lang.txt": "lang/en/lang.txt"}
    # The guide pages and their pictures.
    for name in os.listdir(os.path.join(source, "resources", "docs")):
        same["docs/" + name] = "resources/docs/" + name
    check("docs/navody-en.html" in same, "an English guide page beside the Czech one")
    for name in os.listdir(os.path.join(source, "examples", "obrazkys")):
        same["examples/obrazkys/" + name] = "examples/obrazkys/" + name
    for installed, original in same.items():
        path = os.path.join(data, installed)
        check(os.path.isfile(path) and open(path, "rb").read()
              == open(os.path.join(source, original), "rb").read(), "data file " + installed)
    for name in ["bin/vemtal", "share/applications/vemtal.desktop",
                 "share/mime/packages/vemtal.xml", "share/icons/hicolor/scalable/apps/vemtal.svg",
                 "share/doc/vemtal/copyright", "share/doc/vemtal/changelog.gz",
                 "share/man/man1/vemtal.1.gz"]:
        check(os.path.isfile(os.path.join(prefix, name)), "installed " + name)
    for size in (16, 22, 24, 32, 48, 64, 128, 256):
        png = os.path.join(prefix, "share/icons/hicolor/%dx%d/apps/vemtal.png" % (size, size))
        check(os.path.isfile(png) and png_size(png) == (size, size), "icon %d px" % size)

    # The caches that a plain install brings up to date.
    mime = os.path.join(prefix, "share", "mime")
    globs = open(os.path.join(mime, "globs2")).read() if os.path.isfile(os.path.join(mime, "globs2")) else ""
    for line in ("application/x-vemtal-quiz:*.tkt", "application/x-vemtal-trace:*.tpt",
                 "application/x-vemtal-lesson:*.vemtal"):
        check(line in globs, "MIME glob " + line)
    cache = os.path.join(prefix, "share", "applications", "mimeinfo.cache")
    cached = open(cache).read() if os.path.isfile(cache) else ""
    for kind in ("application/x-vemtal-quiz", "application/x-vemtal-trace",
                 "application/x-vemtal-lesson", "model/vrml"):
        check(kind + "=vemtal.desktop;" in cached, "menu entry opens " + kind)

    # A start folder with a model of the installed demo faces, a quiz and a trace.
    work = os.path.join(tmp, "start")
    os.mkdir(work)
    os.mkdir(os.path.join(tmp, "runtime"), 0o700)
    with open(os.path.join(data, "model", "sablona.wrl"), encoding="utf-8") as f:
        template = f.read().splitlines()
    faces = ["1-predni.jpg", "2-prava.png", "3-zadni.gif", "4-leva.jpg", "5-horni.png", "6-dolni.gif"]
    write(os.path.join(work, "kostka.wrl"), template + [
        "DEF HRA Krychleov {rotace  ", "[ 1 2 3 0 1 2 ]", "vzory ["]
        + ['"%s/examples/obrazkys/%s"' % (data, face) for face in faces]
        + ["] otocna TRUE}", "ROUTE RUKA.isActive TO HRA.pruhledna_in",
           "ROUTE RUKA2.isActive TO HRA.zpet_in", "ROUTE RUKA3.isActive TO HRA.zadni_in",
           "ROUTE RUKA4.isActive TO HRA.nahled_in"])
    write(os.path.join(work, "kviz.tkt"),
          ["KK"] + ["I 1 %d %d 012340" % (10 * k, 20 + k) for k in range(12)] + ["V Zadání:"])
    write(os.path.join(work, "stopa.tpt"),
          ["KP"] + ["Z " + "00 " * 7] * 14 + ["1", "K 3000000000"] + ["K 0000000000"] * 14)
    files = ["kostka.wrl", "kviz.tkt", "stopa.tpt"]

    with open(os.path.join(data, "lang", "en", "lang.txt"), encoding="utf-8") as f:
        english = f.read().splitlines()
    cases = [("en_US.UTF-8", "language file: " + os.path.join(data, "lang", "en", "lang.txt"),
              english[58], english[65]),
             ("cs_CZ.UTF-8", "language: built-in texts", "Příprava kvízu", "Příprava stopy")]
    for lang, language, quiz_title, trace_title in cases:
        result = run(prefix, work, ["--quit-when-shown"] + files, lang)
        log = result.stderr
        print("--- %s: exit %d\n%s" % (lang, result.returncode, log))
        check(result.returncode == 0, lang + ": exit 0")
        expected = [language, "model: " + os.path.join(work, "kostka.wrl"),
                    "quiz: %s window: %s" % (os.path.join(work, "kviz.tkt"), quiz_title),
                    "traces: %s window: %s" % (os.path.join(work, "stopa.tpt"), trace_title)]
        for line in expected:
            check("vemtal.start: " + line + "\n" in log, lang + ": " + line)
        check("vemtal.messages" not in log, lang + ": no message box")
    check(not os.path.exists(os.path.join(work, "lang.txt")), "no lang.txt written")

    # lang.txt in the start folder wins over the locale.
    local = english[:]
    local[58] = "Quiz of the start folder"
    write(os.path.join(work, "lang.txt"), local)
    result = run(prefix, work, ["--quit-when-shown", "kostka.wrl", "kviz.tkt"], "en_US.UTF-8")
    check("vemtal.start: language file: %s\n" % os.path.join(work, "lang.txt") in result.stderr
          and "window: Quiz of the start folder\n" in result.stderr, "lang.txt in the start folder wins")

    # Console forms, without a display.
    for lang, word in (("en_US.UTF-8", "TRACE.tpt"), ("cs_CZ.UTF-8", "STOPA.tpt")):
        result = run(prefix, work, ["--help"], lang, display=False)
        check(result.returncode == 0 and word in result.stdout, lang + ": --help names " + word)
    result = run(prefix, work, ["--version"], "en_US.UTF-8", display=False)
    check(result.returncode == 0 and result.stdout == "vemtal %s\n" % version, "--version")
    result = run(prefix, work, ["--bogus", "kostka.wrl"], "en_US.UTF-8")
    check(result.returncode == 2 and "--bogus" in result.stderr and "model:" not in result.stderr,
          "unknown option refused")

print("install: %d failed" % len(failures))
sys.exit(1 if failures else 0)
