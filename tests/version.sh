#!/bin/sh
# The version stands in four places that must agree: what kaz -V prints
# ("6.6-5"), the project's version in the build (6.6.5), the top entry of
# the Debian changelog (6.6.5) and the manual page's title line ("kaz
# 6.6-5").  The Windows archives take their names from the build's version.
#
#   version.sh PROGRAM PROJECT_VERSION SOURCE_DIR
set -u
program=$1
project_version=$2
source=$3
failures=0

printed=$("$program" -V | sed -n 's/^Program: .* \([^ ]*\)$/\1/p')
# The dash of the printed version stands for the project version's last dot.
printed_as_project=$(printf '%s' "$printed" | tr '-' '.')
changelog=$(sed -n '1s/^kaz (\([^)]*\)).*/\1/p' "$source/debian/changelog")
manual=$(sed -n 's/^\.TH KAZ 1 [^ ]* "kaz \([^"]*\)".*/\1/p' "$source/man/kaz.1")

agree() {
    if [ "$2" = "$3" ] && [ -n "$2" ]; then
        echo "ok: $1: $2"
    else
        echo "FAILED: $1: '$2', but '$3' expected"
        failures=$((failures + 1))
    fi
}
agree "kaz -V against the project version" "$printed_as_project" "$project_version"
agree "Debian changelog against the project version" "$changelog" "$project_version"
agree "manual page against kaz -V" "$manual" "$printed"
[ "$failures" -eq 0 ]
