#!/usr/bin/env bash
# Checks a VRML world in X_ITE inside headless Chromium (see check.js).
#   run-check.sh FILE.wrl [--wait S] [--screenshot OUT.png] [--eval JS]...
# Installs the node modules here on first use. Exit status as check.js:
# 0 no error, 1 errors, 2 the check could not run.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

"$here/install.sh" || exit 2
if [ -z "${CHROMIUM:-}" ] && [ ! -x /usr/bin/chromium ]; then
  echo "run-check: /usr/bin/chromium is needed (apt-get install chromium)" >&2
  exit 2
fi
exec node "$here/check.js" "$@"
