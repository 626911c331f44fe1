#!/usr/bin/env bash
# The pupils' exercise pages with the demo pictures (exercise.js): their
# size, and the time from opening them from file:// in headless Chromium to
# interactive (first paint and the handlers ready).
#   bench/exercise.sh [RUNS]      (default 15; needs the test build in build/)
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEMTAL_BUILD_DIR:-$top/build}"
cmake --build "$build" --target writeexercise >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen "$build/tests/writeexercise" "$work" >/dev/null 2>&1
NODE_PATH="$top/tests/vrml/node_modules" node "$top/bench/exercise.js" "$work" "${1:-15}"
