#!/usr/bin/env bash
# One Windows kaz.exe under one wine loader, with the expectations of a
# system whose text streams map line ends: every newline written leaves as
# CR-LF, a CR-LF pair read arrives as one newline (in every input form, length
# fields included), a byte of value 26 ends the input, and status -1 arrives
# as 255.
#
#   tests/windows/end_to_end.sh LOADER WINEARCH path/to/kaz.exe
#
# LOADER is wine's loader for the exe's word size, called directly
# (/usr/lib/wine/wine64 with win64, /usr/lib/wine/wine with win32), in a new
# prefix of that WINEARCH.  The last line says how many cases passed, as
# "passed N/M".  Inputs and expected outputs are printf formats, worked out
# by hand.
set -u
loader=$1
export WINEARCH=$2
exe=$(cd "$(dirname "$3")" && pwd)/$(basename "$3")
work=$(mktemp -d)
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export WINEPREFIX=$work/prefix
# The server that belongs with the loader, in its own folder.
server=$(dirname "$loader")/wineserver
trap '"$server" -k > /dev/null 2>&1; rm -rf "$work"' EXIT
cd "$work"

# A new prefix takes some seconds; a server that stays up keeps every run
# below from starting another.  wine's own processes inherit the caller's
# descriptors, so everything goes through files, never pipes.
"$loader" wineboot -i > boot.log 2>&1 < /dev/null
"$server" -p 30

failures=0
cases=0
USAGE='usage:   "kaz" or "kaz /v" or "kaz /f recordsize"\r\nexample: "type fort.7 | kaz"  or  "kaz < fort.7" \r\n'

# check NAME "ARGUMENTS" INPUT EXPECTED STATUS
check() {
    local name=$1 arguments=$2 want_status=$5
    printf "$3" > input
    printf "$4" > want
    # shellcheck disable=SC2086
    "$loader" "$exe" $arguments < input > out 2> err
    local status=$?
    cases=$((cases + 1))
    if [ "$status" = "$want_status" ] && cmp -s out want && ! [ -s err ]; then
        echo "ok: $name"
    else
        echo "FAILED: $name: status $status (want $want_status)"
        echo "  got:"; od -c out | head -6
        echo "  want:"; od -c want | head -6
        [ -s err ] && { echo "  stderr:"; head -c 400 err; }
        failures=$((failures + 1))
    fi
}

WORKED_PAGE='\fSUMMARY\r\nALPHA\r\n\r\nTOTAL\r_____\r\nNAME? SMITH\r\n\r\n'
check "worked example, LF lines" "" '1SUMMARY\n ALPHA\n0TOTAL\n+_____\n$NAME?\n+ SMITH\n\n' "$WORKED_PAGE" 0
check "worked example, CR-LF lines" "" '1SUMMARY\r\n ALPHA\r\n0TOTAL\r\n+_____\r\n$NAME?\r\n+ SMITH\r\n\r\n' "$WORKED_PAGE" 0
if [ "$(printf "$WORKED_PAGE" | wc -c)" -ne 47 ]; then
    echo "FAILED: the worked example's page is not 47 bytes"
    failures=$((failures + 1))
fi
check "empty input" "" '' '' 0
check "a CR without LF stays" "" ' AB\rC\r\n D\r\n' 'AB\rC\r\nD\r\n' 0
check "byte 26 ends text lines" "" ' A\r\n B\032 C\r\n D\r\n' 'A\r\nB\r\n' 0
check "tabs expand" "" ' A\tB\r\n' 'A       B\r\n' 0
check "NUL ends a line's text" "" ' AB\000CD\r\n E\r\n' 'AB\r\nE\r\n' 0
check "fixed length: CR-LF is one byte of a record" "-f 4" ' A\r\nB+CDE' 'A\r\nB\rCDE\r\n' 0
check "fixed length: byte 26 ends the input" "/f 3" ' AB 1\032XYZ' \
    'ABERROR: partial record read. Specified recordsize: 3. 2 bytes actually read.\r\n' 1
check "framed: CR-LF in the length fields" "-v" '\r\n\000\000\000 ABCDEFGHI\r\n\000\000\000' 'ABCDEFGHI\r\n' 0
check "framed: byte 26 ends the input" "-v" '\002\000\000\000 A\002\000\000\000\032\002\000\000\000 B' 'A\r\n' 0
check "framed: length check message" "-v" '\005\000\000\000 ABCD\377\377\377\377' \
    'Data length check failed. First length = 5, second length = -1.\r\n' 1
check "framed: short record message" "/v" '\005\000\000\000 AB' 'Not enough data read. Expected 5 bytes, read 3.\r\n' 1
check "usage text" "-h" ' A\r\n' "$USAGE" 255
check "usage text, slash option" "/?" ' A\r\n' "$USAGE" 255
check "usage text for a file name" "fort.7" ' A\r\n' "$USAGE" 255
check "version text" "/V" ' A\r\n' '\r\nProgram: Velmor Print Filter 6.6-5\r\n' 255

# Many CR-LF lines, so that pairs fall across the blocks read.
for ((i = 0; i < 30000; i++)); do printf ' LINE\\r\\n'; done > lines.fmt
{ printf 'LINE'; for ((i = 1; i < 30000; i++)); do printf '\\r\\nLINE'; done; printf '\\r\\n'; } > page.fmt
check "CR-LF pairs across blocks" "" "$(cat lines.fmt)" "$(cat page.fmt)" 0

echo "passed $((cases - failures))/$cases"
[ "$failures" -eq 0 ]
