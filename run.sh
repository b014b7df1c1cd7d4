#!/usr/bin/env bash
# Builds Zelvora and runs the console program on a script (the shipped example when none is given).
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh --target zelvora-cli
if [ $# -eq 0 ]; then
    set -- examples/Beispiele/willkommen.rts
fi
exec build/apps/cli/zelvora-cli "$@"
