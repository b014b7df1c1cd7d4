#!/usr/bin/env bash
# Every shipped example script runs to its end on a fresh account (no data directory yet), called
# from another folder; the spreadsheet example reads its German, quoted and gappy tables; a
# script's write-then-read works from any folder without losing a digit.
set -u
cli=$1
examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/elsewhere"
cd "$work/elsewhere" || exit 1
failed=0
for script in "$examples"/*.rts; do
    if ! HOME="$work/home" "$cli" --quiet "$script" >"$work/out" 2>"$work/err"; then
        echo "$(basename "$script"): $(cat "$work/err")"
        failed=1
    fi
done
HOME="$work/home" "$cli" "$examples/tabellen_lesen.rts" >"$work/out" 2>"$work/err"
for expected in "1250.500" "Monat Umsatz Kosten" "67.000   34.333"; do
    if ! grep -q "$expected" "$work/out"; then
        echo "tabellen_lesen.rts: \"$expected\" missing in: $(cat "$work/out")"
        failed=1
    fi
done
if ! grep -q 'Zeile 4 von .*zitiert.csv.*"n/a"' "$work/err"; then
    echo "tabellen_lesen.rts: no warning for the quoted text: $(cat "$work/err")"
    failed=1
fi
# The README's write-then-read example from a folder other than the script's: MATWRITE writes
# into the current folder, CSVDatei finds the file there when it is not beside the script.
mkdir -p "$work/skripte"
printf 'R = {{1/3, 2}}\nMATWRITE CSV("ergebnis.csv") = R\nR2 = CSVDatei("ergebnis.csv")\nD = (R2 - R) * 1e30\n' >"$work/skripte/rw.rts"
if ! HOME="$work/home" "$cli" "$work/skripte/rw.rts" >"$work/out" 2>"$work/err" \
    || ! grep -q "^1      0.000    0.000" "$work/out"; then
    echo "rw.rts: $(cat "$work/out" "$work/err")"
    failed=1
fi
exit $failed
