#!/usr/bin/env bash
# The test suite built with AddressSanitizer and UBSan in its own build
# folder (the browser tests are left out), then a short run of every fuzz
# target. Called by .ci/run after scripts/test.sh.
#   scripts/test-sanitize.sh [seconds per fuzz target, default 20]
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEMTAL_ASAN_BUILD_DIR:-$top/build-asan}"
seconds="${1:-20}"
"$top/scripts/deps.sh" --tests

cmake -S "$top" -B "$build" -G Ninja -DBUILD_TESTING=ON -DVEMTAL_SANITIZE=ON >/dev/null
cmake --build "$build" --parallel 2
# Leaks inside Qt's and the system's own libraries are suppressed by name in
# lsan.supp, errors inside their calls of interceptors in asan.supp; any
# report from the project's code fails the test. tst_helpwindows_xcb runs
# under xvfb-run on the xcb platform.
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1:suppressions=$top/tests/sanitizer/asan.supp"
export LSAN_OPTIONS="suppressions=$top/tests/sanitizer/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600 -E '^vrml_')

# A fresh corpus each time: only the committed seeds count.
fuzzwork="$(mktemp -d)"
trap 'rm -rf "$fuzzwork"' EXIT
VEMTAL_FUZZ_DIR="$fuzzwork" "$top/scripts/fuzz.sh" "$seconds"
