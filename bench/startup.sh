#!/usr/bin/env bash
# Start-up of vemtal against the minimal Qt Widgets program, in the same run:
# both are started RUNS times (alternating in rounds) on the offscreen
# platform with --quit-when-shown, which leaves once the main window is
# shown and painted. Prints the median wall time of each and their ratio.
#   bench/startup.sh [RUNS]        RUNS defaults to 30
#   VEMTAL_BENCH_BUILD_DIR         build folder, default build-bench
# Uses hyperfine (installed with apt-get when missing); falls back to a
# timing loop when it cannot be installed.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEMTAL_BENCH_BUILD_DIR:-$top/build-bench}"
runs="${1:-30}"
perRound=5
rounds=$(( (runs + perRound - 1) / perRound ))

if ! command -v hyperfine >/dev/null 2>&1; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: hyperfine" >&2
    { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq hyperfine; } >&2 \
        || echo "hyperfine not installed: timing loop instead" >&2
fi

cmake -S "$top" -B "$build" -G Ninja -DVEMTAL_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --parallel 2 --target vemtal minimal_qt >/dev/null

export QT_QPA_PLATFORM=offscreen
cd "$top/examples"
vemtal=("$build/src/app/vemtal" --quit-when-shown)
minimal=("$build/bench/minimal_qt" --quit-when-shown)
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Wall times in seconds, one a line, into $work/vemtal and $work/minimal.
if command -v hyperfine >/dev/null 2>&1; then
    for ((r = 0; r < rounds; r++)); do
        # Alternate which program goes first.
        if (( r % 2 == 0 )); then order=(vemtal minimal); else order=(minimal vemtal); fi
        for name in "${order[@]}"; do
            declare -n cmd="$name"
            hyperfine -N --style none --warmup 1 --runs "$perRound" \
                --export-json "$work/$name-$r.json" "${cmd[*]}" >/dev/null 2>&1
            python3 -c 'import json,sys; print("\n".join(str(t) for t in json.load(open(sys.argv[1]))["results"][0]["times"]))' \
                "$work/$name-$r.json" >> "$work/$name"
        done
    done
    tool="hyperfine $(hyperfine --version | cut -d' ' -f2)"
else
    for ((i = 0; i < runs; i++)); do
        for name in vemtal minimal; do
            declare -n cmd="$name"
            start=$(date +%s%N)
            "${cmd[@]}" >/dev/null 2>&1
            end=$(date +%s%N)
            echo "scale=6; ($end - $start) / 1000000000" | bc >> "$work/$name"
        done
    done
    tool="timing loop"
fi

median() { sort -g "$1" | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
mv=$(median "$work/vemtal")
mm=$(median "$work/minimal")
echo "start-up, offscreen, $(wc -l < "$work/vemtal") runs each ($tool); load average $(cut -d' ' -f1-3 /proc/loadavg)"
awk -v v="$mv" -v m="$mm" 'BEGIN {
    printf "  vemtal      median %7.1f ms\n", v * 1000
    printf "  minimal Qt  median %7.1f ms\n", m * 1000
    printf "  ratio       %.2f (target 1.30)\n", v / m
}'
