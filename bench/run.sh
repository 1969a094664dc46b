#!/usr/bin/env bash
# Times kaz against a plain read/write copy of the same file (the floor of
# any filter that changes bytes), with cat and expand beside it as the
# peers a user would reach for, on 100 MB inputs, file to file; measures its
# peak memory and start-up.  Run after the README's build command:
#
#   bench/run.sh [BUILD_DIR]          (default: build)
#
# Every round runs each command of a row once, one after the other, so that
# the commands share the machine's moods; the output file is removed before
# each run, untimed, so that no run pays for truncating the last one's.
# Reported: the median time of each command, and the median over the rounds
# of kaz's time divided by the copy's in the same round.  RUNS sets the
# rounds (default 21).  Inputs and scratch files go to build-bench/ (about
# 700 MB); the table goes to bench/results/results.md.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
kaz=$build/kaz
work=$root/build-bench
results=$root/bench/results
runs=${RUNS:-21}

"$root/scripts/install-deps" hyperfine time
mkdir -p "$work" "$results"
if [ ! -f "$work/tabbed.txt" ]; then
    "${CXX:-c++}" -O2 -o "$work/make_inputs" "$root/bench/make_inputs.cc"
    "$work/make_inputs" "$work"
fi
"${CXX:-c++}" -O2 -o "$work/read_write_copy" "$root/bench/read_write_copy.cc"
copy=$work/read_write_copy
cd "$work"

# rounds NAME LABEL COMMAND [LABEL COMMAND ...]: RUNS rounds of the commands
# in turn; each run's seconds land in NAME.times as "round label seconds".
rounds() {
    local name=$1
    shift
    : > "$name.times"
    for ((round = 1; round <= runs; round++)); do
        local i
        for ((i = 1; i <= $#; i += 2)); do
            local label=${!i} j=$((i + 1))
            local command=${!j}
            rm -f out
            local start=$EPOCHREALTIME
            bash -c "$command"
            local end=$EPOCHREALTIME
            echo "$round $label $(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }')" >> "$name.times"
        done
    done
}

# median NAME LABEL: the median seconds of LABEL's runs.
median() {
    awk -v label="$2" '$2 == label { print $3 }' "$1.times" | sort -g |
        awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# ratio NAME A B: the median over the rounds of A's time over B's.
ratio() {
    awk -v a="$2" -v b="$3" '$2 == a { ta[$1] = $3 } $2 == b { tb[$1] = $3 }
        END { for (r in ta) print ta[r] / tb[r] }' "$1.times" | sort -g |
        awk '{ v[NR] = $1 } END { printf "%.2f", (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ms() { awk -v s="$1" 'BEGIN { printf "%.1f", s * 1000 }'; }
size_mb() { awk -v bytes="$(stat -c %s "$1")" 'BEGIN { printf "%.1f", bytes / 1e6 }'; }

rounds text kaz "$kaz < report.txt > out" copy "$copy < report.txt > out" cat "cat report.txt > out"
rounds tabbed kaz "$kaz < tabbed.txt > out" copy "$copy < tabbed.txt > out" expand "expand tabbed.txt > out"
rounds fixed kaz "$kaz -f 133 < fixed.dat > out" copy "$copy < fixed.dat > out"
rounds framed kaz "$kaz -v < framed.dat > out" copy "$copy < framed.dat > out"
rounds line line "$kaz < line.txt > out" report "$kaz < report.txt > out"
rm -f out
# Start-up: no shell, standard input empty.
hyperfine --style basic -N --warmup 20 --runs 300 --export-csv startup.csv -n kaz "$kaz" -n cat "cat" > startup.log
startup() {
    awk -F, -v label="$1" 'NR == 1 { for (i = 1; i <= NF; i++) if ($i == "median") c = i } $1 == label { print $c }' startup.csv
}
peak() { /usr/bin/time -f %M "$@" 2>&1 > /dev/null | tail -n 1; }

{
    echo "| input | size (MB) | kaz (ms) | copy (ms) | kaz / copy | target | peer (ms) | kaz / peer |"
    echo "|---|---|---|---|---|---|---|---|"
    row() {
        local title=$1 name=$2 file=$3 target=$4 peer=$5
        echo "| $title | $(size_mb "$file") | $(ms "$(median "$name" kaz)") | $(ms "$(median "$name" copy)") |" \
             "$(ratio "$name" kaz copy) | $target | $peer $(ms "$(median "$name" "$peer")") | $(ratio "$name" kaz "$peer") |"
    }
    row "text report" text report.txt "1.8" cat
    row "tabbed report" tabbed tabbed.txt "2.5" expand
    echo "| fixed-length, -f 133 | $(size_mb fixed.dat) | $(ms "$(median fixed kaz)") | $(ms "$(median fixed copy)") | $(ratio fixed kaz copy) | 1.3 | | |"
    echo "| length-framed, -v | $(size_mb framed.dat) | $(ms "$(median framed kaz)") | $(ms "$(median framed copy)") | $(ratio framed kaz copy) | 1.8 | | |"
    echo
    echo "| single line of $(size_mb line.txt) MB | kaz $(ms "$(median line line)") ms | report $(ms "$(median line report)") ms | ratio $(ratio line line report) |"
    echo "|---|---|---|---|"
    echo
    echo "| start-up, empty input | kaz $(ms "$(startup kaz)") ms | cat $(ms "$(startup cat)") ms | ratio $(awk -v a="$(startup kaz)" -v b="$(startup cat)" 'BEGIN { printf "%.2f", a / b }') |"
    echo "|---|---|---|---|"
    echo
    echo "| peak memory (KiB) | empty | 1 KB | 100 MB report | 100 MB line |"
    echo "|---|---|---|---|---|"
    echo "| kaz | $(peak "$kaz" < empty.txt) | $(peak "$kaz" < small.txt) | $(peak "$kaz" < report.txt) | $(peak "$kaz" < line.txt) |"
    echo "| copy | $(peak "$copy" < empty.txt) | $(peak "$copy" < small.txt) | $(peak "$copy" < report.txt) | $(peak "$copy" < line.txt) |"
    echo
    echo "Medians of $runs rounds (start-up: 300 runs), $(date -u +%Y-%m-%d), $(nproc) cores,"
    echo "$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo), $(uname -sr)."
} > "$results/results.md"
cat "$results/results.md"
