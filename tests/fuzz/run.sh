#!/usr/bin/env bash
# Fuzzes the menu-file reader and the INI parser (libFuzzer, AddressSanitizer with its leak
# check, UndefinedBehaviorSanitizer) from the seed corpus in tests/fuzz/seeds.
#
#   tests/fuzz/run.sh              the CI run: a fixed number of inputs per target, from seed 1
#                                  and a fresh corpus, so it depends on no earlier run and no clock
#   FUZZ_SECONDS=600 tests/fuzz/run.sh
#                                  a longer campaign by hand: each target for that long, from a
#                                  random seed, growing the corpus kept in build/fuzz/corpus/
#
# Also: FUZZ_SEED (the log's "Seed:" line gives the one used), FUZZ_BUILD_DIR (build/fuzz).
# A crash, a leak or a broken property stops the run with a non-zero exit and saves the input
# beside the build as crash-* or leak-*; `build/fuzz/<target> FILE` runs that input again.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(realpath -m "${FUZZ_BUILD_DIR:-$root/build/fuzz}")
jobs=${LARKSPUR_JOBS:-2}

mkdir -p "$build"
cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "$jobs" --target menu_file_fuzzer ini_document_fuzzer

# About 20 s each here: the menu target writes, reads and saves a file per input.
declare -A ci_runs=([menu_file_fuzzer]=1000 [ini_document_fuzzer]=60000)

for target in menu_file_fuzzer ini_document_fuzzer; do
    if [ -n "${FUZZ_SECONDS:-}" ]; then
        corpus=$build/corpus/$target
        limit=(-max_total_time="$FUZZ_SECONDS" -seed="${FUZZ_SEED:-0}")
    else
        corpus=$build/ci-corpus/$target
        rm -rf "$corpus"
        limit=(-runs="${ci_runs[$target]}" -seed="${FUZZ_SEED:-1}")
    fi
    mkdir -p "$corpus"
    echo "== $target: ${limit[*]}"
    (cd "$build" && "./$target" "${limit[@]}" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 "$corpus" "$root/tests/fuzz/seeds")
done
