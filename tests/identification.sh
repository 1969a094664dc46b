#!/bin/sh
# The identification string must stand whole in the program file, also once
# the file is stripped, so that a search for "@(#)" finds name and version.
#
#   identification.sh PROGRAM [STRIP]    (STRIP: the target's strip, default strip)
set -eu
program=$1
strip=${2:-strip}
stripped=$(mktemp)
trap 'rm -f "$stripped"' EXIT
"$strip" -o "$stripped" "$program"
if grep -a -q '@(#)Velmor Print Filter 6\.6-5' "$stripped"; then
    echo "identification string found"
else
    echo "identification string missing from stripped $program" >&2
    exit 1
fi
