#!/usr/bin/env bash
# Models written by the program load in a real VRML browser without any
# parse or script error, and behave: test-written-model.sh WRITEMODEL
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen "$1" "$work" || { echo "writing the models failed"; exit 1; }
grep -q '^"obrazkys/1-predni.jpg"' "$work/model.wrl" || { echo "model.wrl has no relative picture entries"; exit 1; }
# Both models at once: the browser mostly waits.
"$here/run-check.sh" "$work/model.wrl" --eval "@$here/scene-test.js" > "$work/model.log" 2>&1 &
turnable=$!
"$here/run-check.sh" "$work/fixed.wrl" --eval "@$here/scene-test.js" > "$work/fixed.log" 2>&1
fixed=$?
wait $turnable
turnable=$?
echo "model: turnable"; cat "$work/model.log"
echo "model: fixed"; cat "$work/fixed.log"
[ $turnable -eq 0 ] || exit $turnable
exit $fixed
