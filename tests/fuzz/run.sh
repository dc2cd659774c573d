#!/usr/bin/env bash
# A short fuzz run of the menu-file reader and the INI parser (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer), each target for FUZZ_SECONDS (default 20) from the seed corpus.
#
#   tests/fuzz/run.sh                    build in build/fuzz and run
#   FUZZ_SECONDS=600 FUZZ_BUILD_DIR=build/me-fuzz tests/fuzz/run.sh
#
# A crash or a broken property stops the run with a non-zero exit; the input is saved beside
# the build as crash-* (see the log).
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "${FUZZ_BUILD_DIR:-$root/build/fuzz}")
seconds=${FUZZ_SECONDS:-20}
jobs=${LARKSPUR_JOBS:-2}

mkdir -p "$build"
cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "$jobs" --target menu_file_fuzzer ini_document_fuzzer

for target in menu_file_fuzzer ini_document_fuzzer; do
    corpus=$build/corpus/$target
    mkdir -p "$corpus"
    echo "== $target: $seconds s"
    (cd "$build" && "./$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 "$corpus" "$root/tests/fuzz/seeds")
done
