#!/bin/sh
# Runs the Fortran report program, then translates each of its three files
# with kaz and compares the result, byte for byte, with the page the records
# must give.  The expected pages are written out here from the records.
set -eu
report_program=$1
kaz=$2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
"$report_program"

# The 600-byte record's text: the alphabet over and over.
long_line=$(awk 'BEGIN { for (i = 0; i < 600; i++) printf "%c", 65 + i % 26 }')

# Records: "1QUARTERLY REPORT", " REGION<tab>SALES", "0NORTH<tab>1200",
# "+_____", "$NAME?", "+ SMITH", an empty record, " " and the long line,
# " END".  REGION's tab stands at column 6 (2 spaces), NORTH's at column 5
# (3 spaces).  The "+ SMITH" record follows "$NAME?" on its line.
head='\fQUARTERLY REPORT\nREGION  SALES\n\nNORTH   1200\r_____\nNAME? SMITH'

# As a text line the empty record is a blank record: a line of its own.
printf "$head"'\n\n%s\nEND\n' "$long_line" > expected.txt
# Unformatted, the empty record has no carriage-control byte at all, and a
# direct-access record is padded with NULs: both read as a NUL record, which
# prints over the " SMITH" line with nothing.
printf "$head"'\r\n%s\nEND\n' "$long_line" > expected.bin

status=0
check() {
    name=$1
    expected=$2
    shift 2
    if "$kaz" "$@" > "actual.$name" && cmp "actual.$name" "$expected"; then
        echo "ok: $name"
    else
        echo "FAILED: $name (kaz $*)"
        od -c "actual.$name" | head -20
        status=1
    fi
}
check formatted expected.txt < report.txt
check unformatted-sequential expected.bin -v < report.seq
check unformatted-direct expected.bin -f 640 < report.dat
exit $status
