#!/usr/bin/env bash
# A run killed in the middle of a long statement keeps every statement that ran before it in the
# journal file, the long statement's echo included: the console program with --journal, or the
# desktop program (offscreen) running a batch file, whose journal is in the data directory and
# whose settings file was written at the start and names the killed run's journal as the previous
# one.
set -u
kind=$1
program=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'A = 1\nB = {{1,2},{3,4}}\nX, D, T = EigenSys(RandomU(300,300) + Transp(RandomU(300,300)))\nC = 3\n' \
    >"$work/long.rts"
cd "$work" || exit 1
export HOME="$work" XDG_CONFIG_HOME="$work/.config" QT_QPA_PLATFORM=offscreen
if [ "$kind" = cli ]; then
    "$program" --quiet --journal journal.zvj long.rts >out 2>err &
else
    "$program" "batchdatei=$work/long.rts" >out 2>err &
fi
pid=$!
journal() { find "$work" -name '*.zvj' -print -quit; }
for _ in $(seq 1 150); do
    file=$(journal)
    [ -n "$file" ] && grep -q "EigenSys" "$file" && break
    sleep 0.1
done
sleep 0.3
if ! kill -0 "$pid" 2>/dev/null; then
    echo "the run ended before it was killed"
    exit 1
fi
kill -KILL "$pid"
wait "$pid" 2>/dev/null
file=$(journal)
failed=0
for line in "A = 1" "B = {{1,2},{3,4}}" \
    "X, D, T = EigenSys(RandomU(300,300) + Transp(RandomU(300,300)))"; do
    if [ -z "$file" ] || ! grep -qxF "$line" "$file"; then
        echo "journal lacks: $line"
        failed=1
    fi
done
if [ -n "$file" ] && grep -qF "C = 3" "$file"; then
    echo "journal holds a statement that never ran"
    failed=1
fi
settings=$(find "$work" -name 'Zelvora.ini' -print -quit)
if [ "$kind" = desktop ] && { [ -z "$settings" ] || [ -z "$file" ] ||
    ! grep -qF "PrevJournal=$(basename "$file")" "$settings"; }; then
    echo "the settings file does not name the killed run's journal"
    failed=1
fi
[ $failed -eq 0 ] || cat "$file"
exit $failed
