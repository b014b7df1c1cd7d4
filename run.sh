#!/usr/bin/env bash
# Builds Zelvora and runs the console program on a script (the shipped example when none is given),
# or, with --gui first, the desktop program with the remaining start parameters. File names are
# taken from the folder the script is called from; with no script on a terminal the console
# program opens its prompt: ./run.sh --prompt
set -euo pipefail
root="$(cd "$(dirname "$0")" && pwd)"
(cd "$root" && tools/install-deps.sh)
if [ "${1-}" = "--gui" ]; then
    shift
    (cd "$root" && tools/build.sh --target zelvora-desktop)
    exec "$root/build/apps/gui/zelvora" "$@"
fi
(cd "$root" && tools/build.sh --target zelvora-cli)
if [ "${1-}" = "--prompt" ]; then
    shift
    exec "$root/build/apps/cli/zelvora-cli" "$@"
fi
if [ $# -eq 0 ]; then
    set -- "$root/examples/Beispiele/willkommen.rts"
fi
exec "$root/build/apps/cli/zelvora-cli" "$@"
