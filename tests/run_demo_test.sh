#!/usr/bin/env bash
# Plays one shipped demo through zelvora-cli in batch mode and checks that it ran to its end with
# every code block succeeding: exit status 0, nothing on stderr, the closing line on stdout.
# It runs in a fresh directory with a fresh home, so the files that the demo writes go there.
# Usage: run_demo_test.sh CLI DEMO
set -u
export LC_ALL=C
cli=$1
demo=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
HOME=$work "$cli" --batch --demo "$demo" >"$work/stdout" 2>"$work/stderr"
status=$?
failed=0
if [ "$status" -ne 0 ]; then
    echo "exit $status"
    failed=1
fi
if [ -s "$work/stderr" ]; then
    cat "$work/stderr"
    failed=1
fi
if ! grep -q "^==== Ende der Demo ====$" "$work/stdout"; then
    echo "the demo did not run to its end"
    failed=1
fi
exit $failed
