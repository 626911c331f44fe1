#!/usr/bin/env bash
# The web viewer's page against a bare X_ITE page (webpage.js): time to the
# scene with all six pictures loaded, and bytes transferred.
#   bench/webpage.sh [RUNS]      (default 7; needs the test build in build/)
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEMTAL_BUILD_DIR:-$top/build}"
cmake --build "$build" --target webserve >/dev/null
exec node "$top/bench/webpage.js" "$build/tests/webserve" "${1:-7}"
