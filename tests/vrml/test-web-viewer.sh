#!/usr/bin/env bash
# The cube in the program's web viewer, in headless Chromium (web-test.js):
#   test-web-viewer.sh WEBSERVE [--shots DIR]
# Exit status: 0 passed, 1 a check failed, 2 the test could not run.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
command -v node >/dev/null 2>&1 || { echo "test-web-viewer: node is needed" >&2; exit 2; }
command -v python3 >/dev/null 2>&1 || { echo "test-web-viewer: python3 is needed" >&2; exit 2; }
[ -d "$here/node_modules/playwright-core" ] || { echo "test-web-viewer: run npm install in $here" >&2; exit 2; }
exec node "$here/web-test.js" "$@"
