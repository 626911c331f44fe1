#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs them one after another.
#   scripts/fuzz.sh [seconds per target] [target ...]
# (targets: quiz trace model lang scale tile desktopid server settings lesson)
# Work corpora grow in $VEMTAL_FUZZ_DIR (default build-fuzz/corpus), seeded
# from tests/fuzz/corpus; crashes are kept in build-fuzz/artifacts.
set -euo pipefail
top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${VEMTAL_FUZZ_BUILD_DIR:-$top/build-fuzz}"
seconds="${1:-20}"
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(quiz trace model lang scale tile desktopid server settings lesson)
work="${VEMTAL_FUZZ_DIR:-$build/corpus}"

CC=clang-14 CXX=clang++-14 cmake -S "$top" -B "$build" -G Ninja -DVEMTAL_FUZZ=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel 2
mkdir -p "$build/artifacts" "$build/logs"
passed=0
for t in "${targets[@]}"; do
    mkdir -p "$work/$t"
    echo "== fuzz_$t for ${seconds}s, waiting for the lock at $(date +%T)" >&2
    # The lock keeps to one fuzzer process on the machine at a time. A crash,
    # leak, sanitizer report or failed check stops the script with the input
    # kept in artifacts/ and the end of the fuzzer's log printed.
    log="$build/logs/fuzz_$t.log"
    if ! flock "${TMPDIR:-/tmp}/vemtal-fuzz.lock" \
        "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=25 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$build/artifacts/$t-" \
            "$work/$t" "$top/tests/fuzz/corpus/$t" > "$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz: $passed passed, 1 failed (fuzz_$t)"
        exit 1
    fi
    grep -E '^stat::(number_of_executed_units|peak_rss_mb)|^Done ' "$log" | sed "s/^/fuzz_$t: /"
    echo "== fuzz_$t finished at $(date +%T)" >&2
    passed=$((passed + 1))
done
echo "fuzz: $passed passed, 0 failed"
