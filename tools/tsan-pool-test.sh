#!/usr/bin/env bash
# Builds the worker pool's unit test alone with ThreadSanitizer and runs it (a few seconds; the
# rest of the library is not needed, so the full sanitizer build is not either).
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-tsan-pool
mkdir -p "$out"
${CXX:-g++} -std=c++20 -O1 -g -fsanitize=thread -Wall -Wextra -Isrc \
    src/numerics/worker_pool.cpp tests/numerics/worker_pool_test.cpp \
    -lgtest -lgtest_main -pthread -o "$out/worker_pool_test"
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "$out/worker_pool_test" "$@"
