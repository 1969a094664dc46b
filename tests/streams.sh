#!/usr/bin/env bash
# Failing standard streams: each case gives the exact bytes on standard
# output and standard error and the exit status.
set -u
kaz=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
failures=0

# expect NAME STATUS STDOUT STDERR: compares the last run's results, which
# run_case left in out, err and status.
expect() {
    local name=$1 want_status=$2 want_out=$3 want_err=$4
    printf '%b' "$want_out" > want_out
    printf '%b' "$want_err" > want_err
    if [ "$status" = "$want_status" ] && cmp -s out want_out && cmp -s err want_err; then
        echo "ok: $name"
    else
        echo "FAILED: $name: status $status (want $want_status)"
        echo "  stdout:"; od -c out | head -5
        echo "  stderr:"; od -c err | head -5
        failures=$((failures + 1))
    fi
}

printf ' A\n B\n' > two_records
: > empty

# Standard output cannot be written.
"$kaz" < two_records > /dev/full 2> err; status=$?; : > out
expect "full disk" 1 "" "kaz: write error: No space left on device\n"

yes ' ABCDEFGHIJKLMNOPQRSTUVWXYZ' 2>/dev/null | head -c 1000000 > big
"$kaz" < big > /dev/full 2> err; status=$?; : > out
expect "full disk after many blocks, one message" 1 "" "kaz: write error: No space left on device\n"

"$kaz" -h < empty > /dev/full 2> err; status=$?; : > out
expect "usage text to a full disk" 1 "" "kaz: write error: No space left on device\n"

"$kaz" < two_records >&- 2> err; status=$?; : > out
expect "closed standard output" 1 "" "kaz: write error: Bad file descriptor\n"

"$kaz" < empty >&- 2> err; status=$?; : > out
expect "closed standard output, nothing to write" 0 "" ""

# Standard input cannot be read.
"$kaz" <&- > out 2> err; status=$?
expect "closed standard input" 1 "" "kaz: read error: Bad file descriptor\n"

"$kaz" < . > out 2> err; status=$?
expect "directory as standard input" 1 "" "kaz: read error: Is a directory\n"

"$kaz" -v < . > out 2> err; status=$?
expect "directory as standard input, framed records" 1 "" "kaz: read error: Is a directory\n"

# The reader of the pipe goes away: the default action of SIGPIPE ends kaz
# quietly; where SIGPIPE is ignored the failed write is a write error.
timeout 20 bash -c 'env --default-signal=PIPE "$0" < big 2> err | head -c 1 > out; exit ${PIPESTATUS[0]}' "$kaz"; status=$?
expect "pipe closed early" 141 "A" ""

timeout 20 bash -c 'env --ignore-signal=PIPE "$0" < big 2> err | head -c 1 > out; exit ${PIPESTATUS[0]}' "$kaz"; status=$?
expect "pipe closed early, SIGPIPE ignored" 1 "A" "kaz: write error: Broken pipe\n"

# A producer that writes slowly through a pipe: each record's text reaches
# the output before kaz waits for more input, not at the end.
{ printf ' A\n'; sleep 4; printf ' B\n'; } | "$kaz" > out 2> err &
kaz_job=$!
sleep 2
printf 'A' > early
if cmp -s out early; then
    echo "ok: output not held back while the input waits"
else
    echo "FAILED: output held back while the input waits: '$(cat out)'"
    failures=$((failures + 1))
fi
wait "$kaz_job"
status=$?
expect "slow producer, in the end" 0 "A\nB\n" ""

# An I/O error on the second read of standard input: the records read whole
# before it are translated, then the error is reported.  The first read
# takes the first 131072 bytes: 13107 lines " ABCDEFGH" and the start of one
# more, which is lost with the error.
if strace -o /dev/null -e inject=read:error=EIO:when=2 true 2> /dev/null; then
    yes ' ABCDEFGH' 2>/dev/null | head -c 300000 > lines
    # (The leak checker of a sanitizer build cannot work under a tracer.)
    ASAN_OPTIONS=detect_leaks=0 strace -o /dev/null -P "$work/lines" -e trace=read \
        -e inject=read:error=EIO:when=2 "$kaz" < "$work/lines" > out 2> err; status=$?
    printf 'ABCDEFGH' > want_page
    for ((i = 1; i < 13107; i++)); do printf '\nABCDEFGH'; done >> want_page
    expect "I/O error part-way" 1 "$(cat want_page)" "kaz: read error: Input/output error\n"
else
    echo "skipped: I/O error part-way (strace cannot inject faults here)"
fi

# Closing standard output fails: some file systems report a lost write only
# then.  The failure must not pass as success.
if strace -o /dev/null -e inject=close:error=EIO:when=1000 true 2> /dev/null; then
    ASAN_OPTIONS=detect_leaks=0 strace -o /dev/null -P "$work/out" -e trace=close \
        -e inject=close:error=EIO "$kaz" < two_records > "$work/out" 2> err; status=$?
    expect "closing standard output fails" 1 "A\nB\n" "kaz: write error: Input/output error\n"
else
    echo "skipped: closing standard output fails (strace cannot inject faults here)"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
