#!/usr/bin/env bash
# Models written by the program load in a real VRML browser without any
# parse or script error, and behave:
#   test-written-model.sh WRITEMODEL [LANGUAGE-FILE]
# With a language file the buttons must carry its texts (lines 50..57).
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
QT_QPA_PLATFORM=offscreen "$1" "$work" ${2:+"$2"} || { echo "writing the models failed"; exit 1; }
grep -q '^"obrazkys/1-predni.jpg"' "$work/model.wrl" || { echo "model.wrl has no relative picture entries"; exit 1; }
texts=()
if [ -n "${2:-}" ]; then
    # [obsah, obsahAlt] of each button from lines 50..57 (obsahAlt first there).
    script=$(python3 - "$2" <<'PY'
import json, sys
lines = open(sys.argv[1], encoding="utf-8").read().split("\n")
lines = [l.split("\r")[0] for l in lines]
names = ["RUKA", "RUKA2", "RUKA3", "RUKA4"]
pairs = {n: [lines[50 + 2 * i], lines[49 + 2 * i]] for i, n in enumerate(names)}
print("window.vemtalButtonTexts = " + json.dumps(pairs, ensure_ascii=False) + "; true")
PY
)
    texts=(--eval "$script")
fi
# The node modules first: two installs at once would trip over each other.
"$here/install.sh" || exit 2
# Both models at once: the browser mostly waits.
"$here/run-check.sh" "$work/model.wrl" "${texts[@]}" --eval "@$here/scene-test.js" > "$work/model.log" 2>&1 &
turnable=$!
"$here/run-check.sh" "$work/fixed.wrl" "${texts[@]}" --eval "@$here/scene-test.js" > "$work/fixed.log" 2>&1
fixed=$?
wait $turnable
turnable=$?
echo "model: turnable"; cat "$work/model.log"
echo "model: fixed"; cat "$work/fixed.log"
[ $turnable -eq 0 ] || exit $turnable
exit $fixed
