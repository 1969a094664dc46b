#!/usr/bin/env bash
# Hostile input: lengths far beyond the input, a 100 MB line, random bytes in
# every form.  Every run must end by itself with an outcome kaz defines,
# without growing its memory past what the input actually holds.
set -u
kaz=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0

fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# Runs kaz on input and checks its diagnostic, status 1 and peak memory.
# Sanitizer builds carry large shadow maps, and under an emulator the peak is
# the emulator's own (about 11 MB), so there the memory is not checked.
check_small_memory() {
    local name=$1 expected=$2
    shift 2
    /usr/bin/time -f %M -o peak "$@" < input > out 2> err
    status=$?
    local peak
    peak=$(tail -n 1 peak)
    if [ "$status" != 1 ] || [ "$(cat out)" != "$expected" ] || [ -s err ]; then
        fail "$name: status $status, output '$(cat out)'"
    elif [ -n "${KAZ_SANITIZED:-}${KAZ_EMULATED:-}" ]; then
        echo "ok: $name"
        echo "skipped: peak memory of $name (in this build the peak is not kaz's own)"
    elif [ "$peak" -gt 8192 ]; then
        fail "$name: peak memory $peak KiB"
    else
        echo "ok: $name (peak $peak KiB)"
    fi
}

# A frame announcing 2000000000 bytes (0x77359400), then three bytes.
printf '\x00\x94\x35\x77 AB' > input
check_small_memory "frame length 2000000000 on a short input" \
    "Not enough data read. Expected 2000000000 bytes, read 3." "$kaz" -v

printf '0123456789' > input
check_small_memory "record size 2000000000 on a short input" \
    "ERROR: partial record read. Specified recordsize: 2000000000. 10 bytes actually read." "$kaz" -f 2000000000

# One line of 100 MB: the first byte is its carriage control ("x", which
# writes nothing before the first record), the rest its text.
head -c 100000000 /dev/zero | tr '\0' x > line
{ head -c 99999999 /dev/zero | tr '\0' x; printf '\n'; } > expected
if timeout 120 "$kaz" < line > out 2> err && cmp -s out expected && ! [ -s err ]; then
    echo "ok: a single line of 100 MB"
else
    fail "a single line of 100 MB"
fi

# The same line with too little memory for it: a clear message, status 1,
# and the record before it translated.  (Sanitizer builds and an emulator
# need far more address space than the limit allows, so there this is not
# checked.)
if [ -n "${KAZ_SANITIZED:-}${KAZ_EMULATED:-}" ]; then
    echo "skipped: memory exhausted by a long line (the build cannot start under ulimit -v 40000)"
else
    { printf ' BEFORE\n'; cat line; } > line_after_record
    (ulimit -v 40000; "$kaz" < line_after_record > out 2> err)
    status=$?
    if [ "$status" = 1 ] && [ "$(cat out)" = "BEFORE" ] && [ "$(cat err)" = "kaz: memory exhausted" ]; then
        echo "ok: memory exhausted by a long line"
    else
        fail "memory exhausted by a long line: status $status, stderr '$(cat err)'"
    fi
fi
rm -f line line_after_record expected out

# Random bytes, the same on every run, in each form: the run ends by itself
# with status 0 (the input read as records) or 1 (a malformed record
# reported), and never writes to standard error.
awk 'BEGIN { srand(20261211); for (i = 0; i < 300000; i++) printf "%c", int(rand() * 256) }' > random
for arguments in "" "-f 1" "-f 7" "-f 700" "-v"; do
    # shellcheck disable=SC2086
    timeout 60 "$kaz" $arguments < random > out 2> err
    status=$?
    if { [ "$status" = 0 ] || [ "$status" = 1 ]; } && ! [ -s err ]; then
        echo "ok: random bytes, kaz $arguments (status $status)"
    else
        fail "random bytes, kaz $arguments: status $status"
        head -c 300 err
    fi
done

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
