#!/usr/bin/env bash
# Installs what is missing, builds and starts vemtal with the demo face set.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$top/scripts/deps.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DBUILD_TESTING=OFF >/dev/null
cmake --build "$top/build" --parallel 2
cd "$top/examples"
exec "$top/build/bin/vemtal" obrazkys/1-predni.jpg obrazkys/2-prava.png obrazkys/3-zadni.gif \
    obrazkys/4-leva.jpg obrazkys/5-horni.png obrazkys/6-dolni.gif "$@"
