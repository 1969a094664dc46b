#!/usr/bin/env bash
# The Windows table on both Windows builds: the 64-bit kaz.exe under 64-bit
# wine on every machine, the 32-bit one under 32-bit wine wherever this
# kernel runs 32-bit programs.  Whether it does is found out by starting the
# 32-bit loader, not guessed.  The last line says what ran, for example
#   Windows: x86-64 18/18, i686 not run: this kernel runs no 32-bit programs
# A 64-bit loader that cannot start, a missing loader, or any failed case
# fails the run: a check that could not run never passes.
#
#   tests/windows/run.sh path/to/x86-64/kaz.exe path/to/i686/kaz.exe
set -u
here=$(cd "$(dirname "$0")" && pwd)
exe64=$1
exe32=$2
loader64=${KAZ_WINE64_LOADER:-/usr/lib/wine/wine64}
loader32=${KAZ_WINE32_LOADER:-/usr/lib/wine/wine}
status=0

# imports OBJDUMP EXE: the exe must need no DLL beyond the system's own.
imports() {
    local dlls
    dlls=$("$1" -p "$2" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort | tr '\n' ' ')
    if [ "$dlls" = "KERNEL32.dll msvcrt.dll " ]; then
        echo "ok: $2 imports only ${dlls% }"
    else
        echo "FAILED: $2 imports $dlls(want KERNEL32.dll msvcrt.dll)"
        status=1
    fi
}

# table LOADER WINEARCH EXE: runs the table and prints its "N/M".
table() {
    local log result
    log=$(mktemp)
    "$here/end_to_end.sh" "$1" "$2" "$3" > "$log" 2>&1
    result=$?
    cat "$log" >&2
    sed -n 's/^passed //p' "$log" | tail -n 1
    rm -f "$log"
    return $result
}

imports x86_64-w64-mingw32-objdump "$exe64"
imports i686-w64-mingw32-objdump "$exe32"

# The 64-bit exe runs on every machine, or the check fails.
if ! version=$("$loader64" --version 2>&1); then
    echo "FAILED: the 64-bit wine loader $loader64 does not start: $version"
    exit 1
fi
if summary64=$(table "$loader64" win64 "$exe64"); then
    summary="x86-64 $summary64"
else
    summary="x86-64 FAILED ${summary64:-(no cases ran)}"
    status=1
fi

# The 32-bit exe runs wherever the 32-bit loader starts.  The kernel refuses
# to start it with "Exec format error" where it runs no 32-bit programs;
# any other failure to start is a broken set-up and fails the check.
version=$("$loader32" --version 2>&1)
started=$?
if [ "$started" -eq 0 ]; then
    if summary32=$(table "$loader32" win32 "$exe32"); then
        summary="$summary, i686 $summary32"
    else
        summary="$summary, i686 FAILED ${summary32:-(no cases ran)}"
        status=1
    fi
elif [ "$started" -eq 126 ] && [[ $version == *"Exec format error"* ]]; then
    summary="$summary, i686 not run: this kernel runs no 32-bit programs"
else
    echo "FAILED: the 32-bit wine loader $loader32 does not start (status $started): $version"
    summary="$summary, i686 FAILED: its loader does not start"
    status=1
fi

echo "Windows: $summary"
exit $status
