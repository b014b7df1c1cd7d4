#!/usr/bin/env bash
# Ctrl-C (SIGINT) during a long statement of a script stops it at its next check point: the
# program ends soon with status 1, the statements before it ran, the one after it did not, and
# the message names the statement that was stopped.
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'A = 1\nX, D, T = EigenSys(RandomU(400,400) + Transp(RandomU(400,400)))\nB = 2\n' \
    >"$work/long.rts"
cd "$work" || exit 1
export HOME="$work" XDG_CONFIG_HOME="$work/.config"
"$program" --journal journal.zvj long.rts >out 2>err &
pid=$!
for _ in $(seq 1 150); do
    grep -q "EigenSys" journal.zvj 2>/dev/null && break
    sleep 0.1
done
sleep 0.3
if ! kill -0 "$pid" 2>/dev/null; then
    echo "the run ended before Ctrl-C"
    exit 1
fi
kill -INT "$pid"
for _ in $(seq 1 20); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    echo "the run did not stop within two seconds of Ctrl-C"
    exit 1
fi
wait "$pid"
status=$?
[ "$status" -eq 1 ] || { echo "exit status $status, not 1"; cat err; exit 1; }
grep -q "long.rts:2: Abgebrochen (auf Wunsch des Benutzers)" err || { echo "no stop message"; cat err; exit 1; }
grep -qF '"X, D, T = EigenSys(' err || { echo "the stopped statement is not named"; cat err; exit 1; }
grep -q "^B = 2" journal.zvj && { echo "the statement after the stopped one ran"; exit 1; }
grep -q "^A = 1" journal.zvj || { echo "the statement before is not in the journal"; exit 1; }
echo "Ctrl-C stopped the long statement"
