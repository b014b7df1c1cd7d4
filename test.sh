#!/usr/bin/env bash
# Builds Zelvora with its tests and runs all of them.
set -euo pipefail
cd "$(dirname "$0")"
tools/install-deps.sh
tools/build.sh
ctest --test-dir build --output-on-failure -j"$(nproc)"
