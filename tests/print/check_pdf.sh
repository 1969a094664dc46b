#!/bin/sh
# The way from kaz's output to a PDF, as the README gives it, run on the
# sample report (portrait, 10 points) and on a 132-column ledger written by
# a gfortran program (landscape, 7 points), then read back with poppler:
#  - the plain recipe gives a blank first page, from the form feed of the
#    report's first "1" record; enscript's "-a 2-" drops it;
#  - each page of the report lands on a PDF page of its own;
#  - no 132-column line is cut: the ruler of 132 digits stands whole;
#  - each "+" record's underscores stand on the line and at the columns of
#    the word they underline.
#
#   check_pdf.sh KAZ LEDGER_PROGRAM SAMPLE_REPORT [PICTURE]
#
# With PICTURE, also writes the sample report's first printed page there as
# a PNG (the README's picture is made this way).
set -u
kaz=$1
# absolute PATH: the path from anywhere, for use after a cd.
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
ledger_program=$(absolute "$2")
sample=$(absolute "$3")
picture=${4:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# The two recipes, reading kaz's output on standard input.
portrait() { enscript -q -B -f Courier10 "$@" -o - | ps2pdf - -; }
landscape() { enscript -q -B -r -f Courier7 "$@" -o - | ps2pdf - -; }

"$kaz" < "$sample" | portrait > "$work/with_blank.pdf"
"$kaz" < "$sample" | portrait -a 2- > "$work/report.pdf"
(cd "$work" && "$ledger_program") || fail "the ledger program did not run"
"$kaz" -f 133 < "$work/ledger.dat" | landscape -a 2- > "$work/ledger.pdf"

pages() { pdfinfo "$1" | sed -n 's/^Pages: *//p'; }
# page_text PDF N: the text of page N, as laid out on the page.
page_text() { pdftotext -layout -f "$2" -l "$2" "$1" -; }
# words PDF: one line per word: page, xMin, yMin, xMax, the word.
words() {
    pdftotext -bbox "$1" - | awk '
        /<page / { page++ }
        /<word / {
            match($0, /xMin="[0-9.]*"/); x0 = substr($0, RSTART + 6, RLENGTH - 7)
            match($0, /yMin="[0-9.]*"/); y0 = substr($0, RSTART + 6, RLENGTH - 7)
            match($0, /xMax="[0-9.]*"/); x1 = substr($0, RSTART + 6, RLENGTH - 7)
            text = $0; sub(/.*">/, "", text); sub(/<\/word>.*/, "", text)
            print page, x0, y0, x1, text
        }'
}

check_pages() {
    got=$(pages "$1")
    if [ "$got" = "$2" ]; then echo "ok: $3: $got pages"; else fail "$3: $got pages, want $2"; fi
}
check_pages "$work/with_blank.pdf" 3 "sample report, plain recipe"
if [ -z "$(page_text "$work/with_blank.pdf" 1 | tr -d ' \n\f')" ]; then
    echo "ok: the plain recipe's first page is blank"
else
    fail "the plain recipe's first page holds text"
fi
check_pages "$work/report.pdf" 2 "sample report without the blank page"
check_pages "$work/ledger.pdf" 2 "132-column ledger without the blank page"

# on_page PDF N TEXT [ABSENT]: page N holds TEXT and not ABSENT.
on_page() {
    page_text "$1" "$2" > "$work/page"
    if ! grep -q -F -- "$3" "$work/page"; then
        fail "$(basename "$1") page $2 lacks '$3'"
    elif [ -n "${4:-}" ] && grep -q -F -- "$4" "$work/page"; then
        fail "$(basename "$1") page $2 holds '$4', which belongs on another page"
    else
        echo "ok: $(basename "$1") page $2 holds '$3'${4:+ and not '$4'}"
    fi
}
on_page "$work/report.pdf" 1 "QUARTERLY STATION REPORT" "PAGE 2: NOTES"
on_page "$work/report.pdf" 2 "PAGE 2: NOTES" "QUARTERLY"
on_page "$work/ledger.pdf" 1 "LEDGER OF STATION ACCOUNTS" "LEDGER, PAGE 2"
on_page "$work/ledger.pdf" 2 "LEDGER, PAGE 2" "LEDGER OF STATION ACCOUNTS"

# The ruler: the digits of columns 1 to 132 (1234567890 over and over).
ruler=$(awk 'BEGIN { for (i = 1; i <= 132; i++) printf "%d", i % 10 }')
on_page "$work/ledger.pdf" 1 "$ruler"
on_page "$work/ledger.pdf" 2 "$ruler"
on_page "$work/ledger.pdf" 1 "5001.25"
on_page "$work/ledger.pdf" 2 "15003.75"

# underlined PDF PAGE WORD: on that page a run of underscores as long as
# WORD stands on WORD's line, from its first column to its last.
underlined() {
    underscores=$(printf '%s' "$3" | tr '[:print:]' '_')
    words "$1" > "$work/words"
    if awk -v page="$2" -v word="$3" -v line="$underscores" '
        $1 == page && $5 == word { at[$2 " " $3 " " $4] = 1 }
        $1 == page && $5 == line { under[$2 " " $3 " " $4] = 1 }
        END { for (place in at) if (place in under) found = 1; exit !found }' "$work/words"; then
        echo "ok: $(basename "$1") page $2: '$3' is underlined"
    else
        fail "$(basename "$1") page $2: no underscores over the columns of '$3' on its line"
        grep -F -e "$3" -e "$underscores" "$work/words" | awk -v page="$2" '$1 == page' | sed 's/^/  /'
    fi
}
underlined "$work/report.pdf" 1 STATION
underlined "$work/report.pdf" 1 TOTAL
underlined "$work/ledger.pdf" 1 ACCOUNT
underlined "$work/ledger.pdf" 1 BALANCE
underlined "$work/ledger.pdf" 2 TOTAL

if [ -n "$picture" ]; then
    # The upper part of the page, where the report's text stands.
    pdftoppm -png -r 100 -f 1 -l 1 -x 0 -y 0 -W 620 -H 260 -singlefile "$work/report.pdf" "$work/picture"
    cp "$work/picture.png" "$picture"
    echo "wrote $picture"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "all PDF checks passed"
