#!/usr/bin/env bash
# Builds the worker pool's unit test alone with ThreadSanitizer and runs it (a few seconds; the
# rest of the library is not needed, so the full sanitizer build is not either).
# With --kernels it also builds the numeric library with ThreadSanitizer and runs the tests of the
# kernels that split their rows among the threads (a few minutes).
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-tsan-pool
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -fsanitize=thread -Wall -Wextra -Isrc)
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
${CXX:-g++} "${flags[@]}" src/numerics/worker_pool.cpp tests/numerics/worker_pool_test.cpp \
    -lgtest -lgtest_main -pthread -o "$out/worker_pool_test"
"$out/worker_pool_test"
if [ "${1:-}" = --kernels ]; then
    objects=()
    for source in src/numerics/*.cpp; do
        object="$out/$(basename "${source%.cpp}").o"
        if [ ! -e "$object" ] || [ "$source" -nt "$object" ]; then
            ${CXX:-g++} "${flags[@]}" -c "$source" -o "$object"
        fi
        objects+=("$object")
    done
    ${CXX:-g++} "${flags[@]}" -Itests/numerics tests/numerics/thread_bits_test.cpp "${objects[@]}" \
        -lgtest -lgtest_main -pthread -o "$out/thread_bits_test"
    "$out/thread_bits_test"
fi
