#!/usr/bin/env python3
"""Builds the Debian package and checks it.

test_package.py BUILD_DIR VERSION

The package holds exactly the files that `cmake --install` installs; its
control fields (name, version, section education, architecture); a Depends
line that names the package of every library the program links directly
(found here with objdump and dpkg -S, not with dpkg-shlibdeps) and the
run-time packages; and lintian reports no error or warning.
"""
import glob
import os
import re
import subprocess
import sys
import tempfile

build, version = sys.argv[1:3]
RUNTIME = ["qt6-qpa-plugins", "qt6-translations-l10n", "fonts-liberation", "xdg-utils"]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what)


def output(*command, **kwargs):
    return subprocess.run(command, check=True, capture_output=True, text=True, **kwargs).stdout


with tempfile.TemporaryDirectory() as tmp:
    output("cpack", "--config", os.path.join(build, "CPackConfig.cmake"), "-G", "DEB", "-B", tmp)
    debs = glob.glob(os.path.join(tmp, "*.deb"))
    check(len(debs) == 1, "one package built")
    deb = debs[0]

    info = output("dpkg-deb", "--info", deb)
    print(info)
    fields = dict(re.findall(r"^ ([A-Za-z-]+): (.*)$", info, re.M))
    arch = output("dpkg", "--print-architecture").strip()
    for name, value in (("Package", "vemtal"), ("Version", version), ("Section", "education"),
                        ("Architecture", arch)):
        check(fields.get(name) == value, "%s: %s" % (name, value))
    depends = {alt.split()[0] for part in fields.get("Depends", "").split(",")
               for alt in part.split("|")}

    # The libraries the program links, each to the package that has it.
    unpacked = os.path.join(tmp, "unpacked")
    output("dpkg-deb", "-x", deb, unpacked)
    needed = re.findall(r"^\s*NEEDED\s+(\S+)$",
                        output("objdump", "-p", os.path.join(unpacked, "usr/bin/vemtal")), re.M)
    check(len(needed) >= 5, "the program links its libraries")
    # The SCORM packages are written with libzip: its run-time package is a Depends.
    check(any(n.startswith("libzip.so") for n in needed), "the program links libzip")
    for soname in needed:
        owners = {line.split(":")[0] for line in output("dpkg", "-S", "*/" + soname).splitlines()}
        check(bool(owners & depends), "Depends names the package of %s (%s)"
              % (soname, ", ".join(sorted(owners))))
    for package in RUNTIME:
        check(package in depends, "Depends names " + package)

    # Exactly the installed files.
    stage = os.path.join(tmp, "stage")
    output("cmake", "--install", build, "--prefix", "/usr", env=dict(os.environ, DESTDIR=stage))
    installed = {os.path.relpath(os.path.join(d, f), stage)
                 for d, _, files in os.walk(stage) for f in files}
    # mode owner size date time ./path (the path may hold blanks)
    packaged = {line.split(None, 5)[5][2:] for line in output("dpkg-deb", "--contents", deb).splitlines()
                if not line.startswith("d")}
    check(installed == packaged, "package holds the installed files; only installed: %s; only packaged: %s"
          % (sorted(installed - packaged), sorted(packaged - installed)))

    lint = subprocess.run(["lintian", "--tag-display-limit", "0", deb], capture_output=True, text=True)
    print("lintian:\n" + lint.stdout + lint.stderr)
    for line in lint.stdout.splitlines():
        check(not re.match(r"[EW]: ", line), "lintian: " + line)

print("package: %d failed" % len(failures))
sys.exit(1 if failures else 0)
