#!/usr/bin/env bash
# An output that zelvora-cli cannot write (journal, listing, pictures) is reported before anything
# runs, with exit status 64, and the script does not run; a writable one is written, and a listing
# file asked for holds the listing.
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'A = {1,2}\nMATWRITE CSV("ran.csv") = A\n' >"$work/s.rts"
cd "$work" || exit 1
failed=0
for option in "--journal /nonexist/j" "--listing /proc/x" "--pictures /proc/x" "--journal $work"; do
    # shellcheck disable=SC2086
    "$cli" $option s.rts >out 2>err
    status=$?
    if [ $status -ne 64 ] || ! grep -q "kann nicht geschrieben werden" err || [ -e ran.csv ]; then
        echo "$option: exit $status, stderr: $(cat err)"
        failed=1
    fi
done
"$cli" --journal "$work/j.txt" --pictures "$work/new/pictures" s.rts >out 2>err || failed=1
if [ ! -s "$work/j.txt" ] || [ ! -d "$work/new/pictures" ] || [ ! -e ran.csv ]; then
    echo "a writable journal or pictures folder was refused: $(cat err)"
    failed=1
fi
# Asking for a listing file turns the listing on: the statements are in it without SET Listing=AN.
"$cli" --listing "$work/l.txt" s.rts >out 2>err || failed=1
if ! grep -q 'A = {1,2}' "$work/l.txt"; then
    echo "the listing file holds no statement: $(cat "$work/l.txt")"
    failed=1
fi
exit $failed
