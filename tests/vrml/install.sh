#!/usr/bin/env bash
# Installs the node modules of package.json (versions pinned in
# package-lock.json) into node_modules here, unless they are there already.
# Exit 0 installed, 2 could not install: npm's own messages say why.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

installed() {
  node -e '
    const want = require(process.argv[1] + "/package.json").dependencies;
    for (const [name, version] of Object.entries(want)) {
      const got = require(process.argv[1] + "/node_modules/" + name + "/package.json").version;
      if (got !== version) process.exit(1);
    }' "$here" 2>/dev/null
}

command -v node >/dev/null 2>&1 || { echo "install: node is needed" >&2; exit 2; }
installed && exit 0
command -v npm >/dev/null 2>&1 || { echo "install: npm is needed" >&2; exit 2; }
echo "install: node modules into $here/node_modules (node $(node --version))" >&2
# --engine-strict: a module that needs a newer node fails here, with npm
# saying so, instead of at its first use.
(cd "$here" && npm ci --no-audit --no-fund --engine-strict >&2) \
  || { echo "install: npm ci failed in $here (see npm's messages above)" >&2; exit 2; }
