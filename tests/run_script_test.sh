#!/usr/bin/env bash
# Runs one end-to-end script through zelvora-cli and compares the outcome with its expectations:
#   <topic>.expected  "exit N", then "--- stdout" and "--- stderr" sections
#   <topic>.journal   (optional) the journal written with --journal, without its three opening lines
# The script runs from a copy in a fresh directory; @SCRIPTDIR@ in it stands for that directory
# (in the script and in its output), so scripts can name files beside themselves absolutely; the
# files in <topic>.files/, when there is such a folder, are copied beside the script.
# Usage: run_script_test.sh CLI SCRIPT (ZELVORA_UPDATE_EXPECTED=1 rewrites <topic>.expected)
set -u
export LC_ALL=C # number texts do not depend on the user's locale
export ZELVORA_THREADS=2 # kernels split their rows on two threads on every machine
cli=$1
script=$2
base=${script%.rts}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run=$work/run
mkdir -p "$run"
sed "s|@SCRIPTDIR@|$run|g" "$script" >"$run/$(basename "$script")"
if [ -d "$base.files" ]; then
    cp -R "$base.files/." "$run/" # files the script runs or reads beside itself
fi
cd "$run" || exit 1
"$cli" --journal "$work/journal" "$run/$(basename "$script")" >"$work/stdout" 2>"$work/stderr"
status=$?
sed -i "s|$run|@SCRIPTDIR@|g" "$work/stdout" "$work/stderr"
# SHOWOPTIONS prints the data directory and the journal name, which depend on the home directory
# and the start time.
sed -i -E 's/^( +(BasisDatenVerz|JournalDateiname)=).*/\1.../' "$work/stdout"
{
    echo "exit $status"
    echo "--- stdout"
    cat "$work/stdout"
    echo "--- stderr"
    cat "$work/stderr"
} >"$work/actual"

failed=0
if [ "${ZELVORA_UPDATE_EXPECTED:-}" = 1 ]; then
    cp "$work/actual" "$base.expected" # rewrites the expectation; review the change with git diff
fi
if ! diff -u "$base.expected" "$work/actual"; then
    failed=1
fi
if [ -f "$base.journal" ]; then
    # The data directory and the journal name depend on the home directory and the start time.
    tail -n +4 "$work/journal" | sed -E 's/^(\/\/ +(BasisDatenVerz|JournalDateiname)=).*/\1.../' >"$work/journal.body"
    if ! diff -u "$base.journal" "$work/journal.body"; then
        failed=1
    fi
fi
exit $failed
