#!/usr/bin/env bash
# Checks a VRML world in X_ITE inside headless Chromium (see check.js).
#   run-check.sh FILE.wrl [--wait S] [--screenshot OUT.png] [--eval JS]...
# Installs the node modules here on first use. Exit status as check.js:
# 0 no error, 1 errors, 2 the check could not run.
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

command -v node >/dev/null 2>&1 || { echo "run-check: node is needed" >&2; exit 2; }
if ! installed; then
  command -v npm >/dev/null 2>&1 || { echo "run-check: npm is needed" >&2; exit 2; }
  echo "run-check: installing node modules into $here/node_modules" >&2
  (cd "$here" && npm install --no-audit --no-fund >&2) || { echo "run-check: npm install failed" >&2; exit 2; }
fi
if [ -z "${CHROMIUM:-}" ] && [ ! -x /usr/bin/chromium ]; then
  echo "run-check: /usr/bin/chromium is needed (apt-get install chromium)" >&2
  exit 2
fi
exec node "$here/check.js" "$@"
