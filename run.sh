#!/usr/bin/env bash
# Builds Zelvora and runs the console program on a script (the shipped example when none is given),
# or, with --gui first, the desktop program with the remaining start parameters.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
if [ "${1-}" = "--gui" ]; then
    shift
    tools/build.sh --target zelvora-desktop
    exec build/apps/gui/zelvora "$@"
fi
tools/build.sh --target zelvora-cli
if [ $# -eq 0 ]; then
    set -- examples/Beispiele/willkommen.rts
fi
exec build/apps/cli/zelvora-cli "$@"
