#!/usr/bin/env bash
# Start-up of vemtal against the minimal Qt Widgets program, in the same run:
# both are started RUNS times on the offscreen platform with
# --quit-when-shown, which leaves once the main window is shown and painted.
# The two run in pairs, one right after the other, in alternating order, so
# that a change in the machine's load falls on both alike. Prints the median
# wall time of each, their ratio, and the median of the pairs' ratios.
#   bench/startup.sh [RUNS]        RUNS defaults to 40
#   VEMTAL_BENCH_BUILD_DIR         build folder, default build-bench
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEMTAL_BENCH_BUILD_DIR:-$top/build-bench}"
runs="${1:-40}"

if ! command -v python3 >/dev/null 2>&1; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: python3" >&2
    { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq python3; } >&2
fi

cmake -S "$top" -B "$build" -G Ninja -DVEMTAL_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --parallel 2 --target vemtal minimal_qt >/dev/null

cd "$top/examples"
QT_QPA_PLATFORM=offscreen exec python3 - "$runs" "$build/bin/vemtal" "$build/bench/minimal_qt" <<'PY'
import os, statistics, subprocess, sys, time

runs, vemtal, minimal = int(sys.argv[1]), sys.argv[2], sys.argv[3]

def once(program):
    start = time.perf_counter_ns()
    subprocess.run([program, "--quit-when-shown"], check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return (time.perf_counter_ns() - start) / 1e6

for program in (vemtal, minimal):   # warm the file cache
    once(program)
times = {vemtal: [], minimal: []}
ratios = []
for i in range(runs):
    pair = (vemtal, minimal) if i % 2 == 0 else (minimal, vemtal)
    got = {program: once(program) for program in pair}
    for program, ms in got.items():
        times[program].append(ms)
    ratios.append(got[vemtal] / got[minimal])

v, m = statistics.median(times[vemtal]), statistics.median(times[minimal])
load = open("/proc/loadavg").read().split()[:3]
print(f"start-up, offscreen, {runs} pairs; load average {' '.join(load)}")
print(f"  vemtal      median {v:7.1f} ms")
print(f"  minimal Qt  median {m:7.1f} ms")
print(f"  ratio       {v / m:.2f} (target at most 2.0); median of the pairs' ratios {statistics.median(ratios):.2f}")
PY
