#!/usr/bin/env bash
# Times kaz against cat and expand on 100 MB inputs, file to file, and
# measures its peak memory and start-up.  Run after the README's build
# command:
#
#   bench/run.sh [BUILD_DIR]          (default: build)
#
# Inputs and scratch files go to build-bench/ (about 700 MB); the table of
# results goes to bench/results/results.md and the chart to
# bench/results/throughput.png.  RUNS sets the timed runs per command
# (default 15).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
kaz=$build/kaz
work=$root/build-bench
results=$root/bench/results
runs=${RUNS:-15}

"$root/scripts/install-deps" hyperfine gnuplot-nox time
mkdir -p "$work" "$results"
if [ ! -f "$work/tabbed.txt" ]; then
    "${CXX:-c++}" -O2 -o "$work/make_inputs" "$root/bench/make_inputs.cc"
    "$work/make_inputs" "$work"
fi
"${CXX:-c++}" -O2 -o "$work/line_copy" "$root/bench/line_copy.cc"
cd "$work"

# time_commands NAME LABEL COMMAND [LABEL COMMAND ...]: one hyperfine run
# over the commands; medians land in NAME.csv.  The output file is removed
# before each run, so that no run pays for truncating the last one's.
time_commands() {
    local name=$1
    shift
    local arguments=()
    while [ $# -gt 0 ]; do
        arguments+=(-n "$1" "$2")
        shift 2
    done
    hyperfine --style basic --warmup 2 --runs "$runs" --prepare "rm -f out" --export-csv "$name.csv" \
        "${arguments[@]}" > "$name.log" 2>&1
}

# median NAME LABEL: the median seconds of LABEL in NAME.csv.
median() {
    awk -F, -v label="$2" 'NR == 1 { for (i = 1; i <= NF; i++) if ($i == "median") column = i }
                           $1 == label { print $column }' "$1.csv"
}

time_commands text kaz "$kaz < report.txt > out" cat "cat report.txt > out" \
    "line copy" "./line_copy < report.txt > out"
time_commands tabbed kaz "$kaz < tabbed.txt > out" cat "cat tabbed.txt > out" expand "expand tabbed.txt > out"
time_commands fixed kaz "$kaz -f 133 < fixed.dat > out" cat "cat fixed.dat > out"
time_commands framed kaz "$kaz -v < framed.dat > out" cat "cat framed.dat > out"
time_commands line "kaz line" "$kaz < line.txt > out" "kaz report" "$kaz < report.txt > out"
# Start-up: no shell, standard input empty.
hyperfine --style basic -N --warmup 20 --runs 300 --export-csv startup.csv -n kaz "$kaz" -n cat "cat" > startup.log
rm -f out

peak() { /usr/bin/time -f %M "$@" 2>&1 > /dev/null | tail -n 1; }

size_mb() { awk -v bytes="$(stat -c %s "$1")" 'BEGIN { printf "%.1f", bytes / 1e6 }'; }
ms() { awk -v s="$1" 'BEGIN { printf "%.1f", s * 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
throughput() { awk -v bytes="$(stat -c %s "$1")" -v s="$2" 'BEGIN { printf "%.0f", bytes / 1e6 / s }'; }

{
    echo "| input | size (MB) | kaz (ms) | cat (ms) | expand (ms) | kaz / cat | kaz / expand |"
    echo "|---|---|---|---|---|---|---|"
    for row in "text report:text:report.txt" "tabbed report:tabbed:tabbed.txt" \
               "fixed-length, -f 133:fixed:fixed.dat" "length-framed, -v:framed:framed.dat"; do
        IFS=: read -r title name file <<< "$row"
        k=$(median "$name" kaz)
        c=$(median "$name" cat)
        if [ "$name" = tabbed ]; then
            e=$(median "$name" expand)
            echo "| $title | $(size_mb "$file") | $(ms "$k") | $(ms "$c") | $(ms "$e") | $(ratio "$k" "$c") | $(ratio "$k" "$e") |"
        else
            echo "| $title | $(size_mb "$file") | $(ms "$k") | $(ms "$c") | | $(ratio "$k" "$c") | |"
        fi
    done
    echo
    l=$(median line "kaz line")
    r=$(median line "kaz report")
    echo "| single line of $(size_mb line.txt) MB | kaz $(ms "$l") ms | report $(ms "$r") ms | ratio $(ratio "$l" "$r") |"
    echo "|---|---|---|---|"
    echo
    sk=$(median startup kaz)
    sc=$(median startup cat)
    f=$(median text "line copy")
    echo "| least per-line work (bench/line_copy.cc), text report | $(ms "$f") ms | cat $(ms "$(median text cat)") ms | ratio $(ratio "$f" "$(median text cat)") |"
    echo "|---|---|---|---|"
    echo
    echo "| start-up, empty input | kaz $(ms "$sk") ms | cat $(ms "$sc") ms | ratio $(ratio "$sk" "$sc") |"
    echo "|---|---|---|---|"
    echo
    echo "| peak memory (KiB) | empty | 1 KB | 100 MB report | 100 MB line |"
    echo "|---|---|---|---|---|"
    echo "| kaz | $(peak "$kaz" < empty.txt) | $(peak "$kaz" < small.txt) | $(peak "$kaz" < report.txt) | $(peak "$kaz" < line.txt) |"
    echo "| cat | $(peak cat < empty.txt) | $(peak cat < small.txt) | $(peak cat < report.txt) | $(peak cat < line.txt) |"
    echo
    echo "Medians of $runs runs each (start-up: 300 runs), $(date -u +%Y-%m-%d), $(nproc) cores,"
    echo "$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo), $(uname -sr)."
} > "$results/results.md"

# Throughput per input form (MB/s of input), for the chart.
{
    for row in "text:text:report.txt" "tabbed:tabbed:tabbed.txt" "fixed:fixed:fixed.dat" "framed:framed:framed.dat"; do
        IFS=: read -r title name file <<< "$row"
        e=0
        [ "$name" = tabbed ] && e=$(throughput "$file" "$(median "$name" expand)")
        echo "$title $(throughput "$file" "$(median "$name" kaz)") $(throughput "$file" "$(median "$name" cat)") $e"
    done
} > throughput.dat
gnuplot <<PLOT
set terminal pngcairo size 800,480
set output "$results/throughput.png"
set title "Throughput, file to file (MB/s of input, median)"
set style data histogram
set style histogram clustered gap 1
set style fill solid border -1
set boxwidth 0.9
set ylabel "MB/s"
set yrange [0:*]
set key top left
plot "throughput.dat" using 2:xtic(1) title "kaz", "" using 3 title "cat", "" using 4 title "expand"
PLOT
cat "$results/results.md"
