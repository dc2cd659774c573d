#!/usr/bin/env bash
# Builds the native and x64 presets and runs every benchmark (bench/*.cpp) natively and under
# Wine, printing what each prints and how long the whole run took.
#
#   scripts/bench.sh [name...]      only the benchmarks named (file names without .cpp)
#
# A benchmark runs with no arguments from its build folder (build/native or build/x64), so it
# finds the programs it measures at their places in that folder (ShowLarkspur.exe,
# bench/empty_window.exe). Under Wine it runs on its own Xvfb, in a Wine desktop, at 96 dpi and
# with code page 1251, in the prefix build/wine/bench, with the wineserver kept running
# throughout, as Windows keeps its kernel running.
set -uo pipefail

source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/wine.sh"
cd "$LARKSPUR_ROOT" || exit 1
install_cleanup_trap

LOGS=$LARKSPUR_ARTIFACTS/bench
mkdir -p "$LOGS"

names=("$@")
if [ "${#names[@]}" -eq 0 ]; then
    for source in bench/*.cpp; do names+=("$(basename "$source" .cpp)"); done
fi
[ "${#names[@]}" -gt 0 ] || { say "There are no benchmarks (bench/*.cpp)."; exit 0; }

stage "Installing what is missing"
install_missing "${LARKSPUR_WINDOWS_PACKAGES[@]}" || exit 1

for preset in native x64; do
    stage "Building $preset (build/$preset)"
    log=$LOGS/build-$preset.log
    if ! { cmake --preset "$preset" && cmake --build "build/$preset" -j "$LARKSPUR_JOBS"; } >"$log" 2>&1; then
        show_log "$log"
        say "The $preset build failed."
        exit 1
    fi
done

status=0

# Runs one benchmark program in a build folder, printing its output and the wall time of the
# whole run.
run_benchmark() {
    local folder=$1 label=$2
    shift 2
    local started ended code
    started=$(date +%s.%N)
    (cd "$folder" && "$@") 2>&1 | sed 's/^/    /'
    code=${PIPESTATUS[0]}
    ended=$(date +%s.%N)
    printf '  %s: exit code %d, wall %s s\n' "$label" "$code" \
        "$(awk -v a="$started" -v b="$ended" 'BEGIN { printf "%.3f", b - a }')"
    [ "$code" -eq 0 ] || status=1
}

stage "Native"
for name in "${names[@]}"; do
    if [ -x "build/native/bench/$name" ]; then
        say "$name"
        run_benchmark build/native "$name (native)" "./bench/$name"
    fi
done

stage "Under Wine (x64)"
ensure_russian_locale || say "Running without the ru_RU.UTF-8 locale: Wine's ANSI code page is not 1251."
start_xvfb "$LOGS/xvfb.log" || exit 1
export WINEPREFIX=$LARKSPUR_BUILD/wine/bench
if ! prefix_is_ready "$WINEPREFIX"; then
    create_wine_prefix "$WINEPREFIX" desktop || { say "Could not prepare the Wine prefix."; exit 1; }
fi
on_exit "stop_wine '$WINEPREFIX'"
set_wine_dpi "$WINEPREFIX" 96
wineserver -p
russian wine64 cmd /c exit >/dev/null 2>&1  # the first start of a prefix is not what we measure

for name in "${names[@]}"; do
    if [ -f "build/x64/bench/$name.exe" ]; then
        say "$name"
        run_benchmark build/x64 "$name (Wine)" russian wine64 "bench/$name.exe"
    fi
done
exit "$status"
