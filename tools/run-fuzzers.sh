#!/usr/bin/env bash
# Builds the binary file readers' libFuzzer targets with clang (ASan and UBSan) in build-fuzz/ and
# runs each for a bounded time, starting from the seed files in tests/fuzz/seeds/<reader>/. A
# finding fails the script; the input that caused it is kept in build-fuzz/findings/.
# Usage: tools/run-fuzzers.sh [SECONDS_PER_READER]   (default 55: about 4 minutes in all)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-55}
# libFuzzer and the sanitizers' runtime come with clang's runtime package.
if ! dpkg-query -W -f='${Status}' libclang-rt-dev 2>/dev/null | grep -q "install ok installed"; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq libclang-rt-dev
fi
readers=(oxf bin def_raw bmp)
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
      -DZELVORA_FUZZ=ON -DZELVORA_BUILD_TESTS=OFF -DZELVORA_BUILD_BENCH=OFF -DZELVORA_BUILD_GUI=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${readers[@]/#/fuzz_}"
mkdir -p build-fuzz/findings
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for reader in "${readers[@]}"; do
    corpus=build-fuzz/corpus/$reader
    log=build-fuzz/fuzz_$reader.log
    mkdir -p "$corpus"
    if ! build-fuzz/tests/fuzz/fuzz_"$reader" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix=build-fuzz/findings/"$reader"- "$corpus" tests/fuzz/seeds/"$reader" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz_$reader: finding kept in build-fuzz/findings/ (log: $log)"
        exit 1
    fi
    echo "fuzz_$reader: $(grep -o 'Done [0-9]* runs' "$log" | tail -n 1) in $seconds s, no finding"
done
