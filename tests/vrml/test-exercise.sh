#!/usr/bin/env bash
# The pupils' exercises in headless Chromium (exercise-test.js):
#   test-exercise.sh WRITEEXERCISE OUTDIR
# WRITEEXERCISE (writeexercise.cpp) makes a quiz and a trace in the real
# windows and saves them as exercises into OUTDIR; the screenshots stay in
# OUTDIR/shots. Exit status: 0 passed, 1 a check failed, 2 the test could not run.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
[ $# -eq 2 ] || { echo "usage: test-exercise.sh WRITEEXERCISE OUTDIR" >&2; exit 2; }
command -v node >/dev/null 2>&1 || { echo "test-exercise: node is needed" >&2; exit 2; }
command -v python3 >/dev/null 2>&1 || { echo "test-exercise: python3 is needed" >&2; exit 2; }
[ -d "$here/node_modules/scorm-again" ] || { echo "test-exercise: run install.sh in $here" >&2; exit 2; }
rm -rf "$2"
"$1" "$2" || { echo "test-exercise: the exercises were not written" >&2; exit 1; }
exec node "$here/exercise-test.js" "$2" --shots "$2/shots"
