#!/usr/bin/env bash
# Installs what is missing, builds and runs every test headless.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEMTAL_BUILD_DIR:-$top/build}"
"$top/scripts/deps.sh" --tests
# The VRML browser tests' node modules; npm's messages say why an install failed.
"$top/tests/vrml/install.sh" || { echo "test.sh: the node modules of tests/vrml could not be installed" >&2; exit 1; }
cmake -S "$top" -B "$build" -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" --parallel 2
cd "$build"
QT_QPA_PLATFORM=offscreen ctest -j2 --output-on-failure --timeout 300 "$@"
