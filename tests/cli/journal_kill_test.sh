#!/usr/bin/env bash
# A console run killed in the middle of a long statement keeps every statement that ran before it
# in the journal file, the long statement's echo included.
set -u
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'A = 1\nB = {{1,2},{3,4}}\nX, D, T = EigenSys(RandomU(300,300) + Transp(RandomU(300,300)))\nC = 3\n' \
    >"$work/long.rts"
cd "$work" || exit 1
HOME="$work" "$cli" --quiet --journal journal.zvj long.rts >out 2>err &
pid=$!
for _ in $(seq 1 100); do
    grep -q "EigenSys" journal.zvj 2>/dev/null && break
    sleep 0.1
done
sleep 0.3
if ! kill -0 "$pid" 2>/dev/null; then
    echo "the run ended before it was killed"
    exit 1
fi
kill -KILL "$pid"
wait "$pid" 2>/dev/null
failed=0
for line in "A = 1" "B = {{1,2},{3,4}}" "X, D, T = EigenSys(RandomU(300,300) + Transp(RandomU(300,300)))"; do
    if ! grep -qxF "$line" journal.zvj; then
        echo "journal lacks: $line"
        failed=1
    fi
done
if grep -qF "C = 3" journal.zvj; then
    echo "journal holds a statement that never ran"
    failed=1
fi
[ $failed -eq 0 ] || cat journal.zvj
exit $failed
