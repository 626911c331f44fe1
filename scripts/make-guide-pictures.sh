#!/usr/bin/env bash
# Remakes the guide's pictures, resources/docs/{cs,en}-*.png, from the program:
# the windows and the printed sheets by the test tool guidepictures (offscreen,
# pixel for pixel what the guide_pictures test compares), the cube in the web
# viewer by tests/vrml/guide-shots.js (headless Chromium), then optipng
# (lossless). Look at them before committing them.
#   scripts/make-guide-pictures.sh [--no-browser]
# --no-browser keeps the browser pictures as they are.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEMTAL_BUILD_DIR:-$top/build}"
docs="$top/resources/docs"
"$top/scripts/deps.sh" --pictures
cmake -S "$top" -B "$build" -G Ninja -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" --parallel 2 --target guidepictures
"$build/tests/guidepictures" write "$docs"
if [ "${1:-}" != "--no-browser" ]; then
    "$top/tests/vrml/install.sh"
    node "$top/tests/vrml/guide-shots.js" "$build/tests/guidepictures" "$docs"
fi
optipng -quiet -o5 "$docs"/cs-*.png "$docs"/en-*.png
# Each page with what it loads: the guide asks for less than 1 MB.
for page in navody:cs navody-en:en; do
    bytes=$(cat "$docs/${page%%:*}.html" "$docs/navody.css" "$docs/${page#*:}"-*.png | wc -c)
    echo "${page%%:*}.html with its style sheet and pictures: $bytes bytes"
done
