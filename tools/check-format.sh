#!/usr/bin/env bash
# Fails when a C++ file of the repository differs from what the repository's .clang-format makes
# of it. With --fix it formats them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'apps/*.cpp' 'apps/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
clang-format --dry-run --Werror "${files[@]}"
echo "Formatting: ${#files[@]} files as .clang-format makes them"
