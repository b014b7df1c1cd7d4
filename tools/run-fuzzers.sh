#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan and UBSan) in build-fuzz/ and runs each for a
# bounded time: the binary file readers, starting from the seed files in tests/fuzz/seeds/<reader>/,
# and the whole language (fuzz_script), starting from the script tests and the shipped examples. A
# finding fails the script; the input that caused it is kept in build-fuzz/findings/.
# Usage: tools/run-fuzzers.sh [SECONDS_PER_TARGET [TARGET...]]   (default 55 s for each target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-55}
shift || true
# clang, with libFuzzer and the sanitizers' runtime from clang's runtime package.
missing=()
for package in clang libclang-rt-dev; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
targets=(oxf bin def_raw bmp script)
if [ $# -gt 0 ]; then
    targets=("$@")
fi
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
      -DZELVORA_FUZZ=ON -DZELVORA_BUILD_TESTS=OFF -DZELVORA_BUILD_BENCH=OFF -DZELVORA_BUILD_GUI=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]/#/fuzz_}"
mkdir -p build-fuzz/findings
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Absolute paths: the language target works in a folder of its own.
root=$PWD
for target in "${targets[@]}"; do
    corpus=$root/build-fuzz/corpus/$target
    log=build-fuzz/fuzz_$target.log
    mkdir -p "$corpus"
    seeds=("$root/tests/fuzz/seeds/$target")
    limits=()
    if [ "$target" = script ]; then
        seeds=("$root/tests/scripts" "$root/examples/Beispiele")
        limits=(-max_len=4096 -malloc_limit_mb=1024)
    fi
    if ! build-fuzz/tests/fuzz/fuzz_"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        "${limits[@]}" -artifact_prefix="$root/build-fuzz/findings/$target-" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz_$target: finding kept in build-fuzz/findings/ (log: $log)"
        exit 1
    fi
    echo "fuzz_$target: $(grep -o 'Done [0-9]* runs' "$log" | tail -n 1) in $seconds s, no finding"
done
