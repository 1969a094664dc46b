#!/usr/bin/env bash
# A bounded fuzzing session of each target, under AddressSanitizer and
# UndefinedBehaviorSanitizer, with AFL++.
#
#   fuzz/run.sh [seconds per target]      (default 60)
#
# Builds into build-fuzz/, writes findings to build-fuzz/findings/<target>/,
# prints the executions of each target, and fails when any target found a
# crash or a hang.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-fuzz

"$root/scripts/install-deps" afl++ clang
CC=afl-clang-fast CXX=afl-clang-fast++ cmake -S "$root" -B "$build" -DBUILD_TESTING=OFF \
    -DKAZ_SANITIZE=ON -DKAZ_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$build" -j2 > /dev/null

export AFL_NO_UI=1 AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 AFL_QUIET=1
# Every sanitizer report aborts, so that afl-fuzz counts it as a crash.  kaz
# frees nothing by design, so the leak check at exit is only cost.
export ASAN_OPTIONS=abort_on_error=1:symbolize=0:detect_leaks=0
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:symbolize=0
findings=$build/findings
rm -rf "$findings"
mkdir -p "$findings"

# target NAME SEEDS -- COMMAND...: fuzzes COMMAND with its standard input.
target() {
    local name=$1 seeds=$2
    shift 3
    afl-fuzz -V "$seconds" -m none -t 2000 -i "$root/fuzz/seeds/$seeds" -o "$findings/$name" -- "$@" \
        > "$findings/$name.log" 2>&1
}

# Two at a time, one for each core.
target text text -- "$build/kaz" &
target fixed fixed -- "$build/kaz" -f 3 &
wait
target framed framed -- "$build/kaz" -v &
target command_line command_line -- "$build/fuzz/kaz_fuzz_command_line" &
wait

status=0
for name in text fixed framed command_line; do
    stats=$findings/$name/default/fuzzer_stats
    if [ ! -f "$stats" ]; then
        echo "$name: afl-fuzz did not run; see $findings/$name.log"
        tail -n 20 "$findings/$name.log"
        status=1
        continue
    fi
    executions=$(awk -F' *: *' '$1 == "execs_done" { print $2 }' "$stats")
    crashes=$(find "$findings/$name/default/crashes" -type f -name 'id:*' | wc -l)
    hangs=$(find "$findings/$name/default/hangs" -type f -name 'id:*' | wc -l)
    echo "$name: $executions executions, $crashes crashes, $hangs hangs"
    if [ "$crashes" -ne 0 ] || [ "$hangs" -ne 0 ]; then status=1; fi
done
exit $status
