#!/usr/bin/env bash
# Tests the model template: its text (check_template.py), then a model made
# of it with six pictures, loaded and played with in X_ITE (scene-test.js).
#   test-model.sh [TEMPLATE.wrl]
# Exit status: 0 all passed, 1 a check failed, 2 a check could not run.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
template="$(realpath "${1:-$here/../../resources/model/sablona.wrl}")"

python3 "$here/check_template.py" "$template" || exit $?

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for kind in turnable fixed; do
  option=""
  [ "$kind" = fixed ] && option=--fixed
  echo "model: $kind"
  node "$here/make-model.js" "$template" "$work/$kind" $option >/dev/null || exit 2
  "$here/run-check.sh" "$work/$kind/model.wrl" --eval "@$here/scene-test.js" || exit $?
done
