#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEMTAL_BUILD_DIR:-$top/build}"
"$top/scripts/deps.sh" --tests
if [ -f "$top/tests/vrml/package.json" ] && [ ! -d "$top/tests/vrml/node_modules/x_ite" ]; then
    (cd "$top/tests/vrml" && npm install --no-audit --no-fund --silent)
fi
cmake -S "$top" -B "$build" -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" --parallel 2
cd "$build"
QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure --timeout 300 "$@"
