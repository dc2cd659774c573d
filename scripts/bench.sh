#!/usr/bin/env bash
# Builds the benchmarks (bench/*.cpp) natively and for x64, runs each natively and under Wine,
# shows what each prints and ends with one table of every figure, a column per platform.
#
#   scripts/bench.sh [name...]      only the benchmarks named (file names without .cpp)
#
# Build folders: build/bench-native and build/bench-x64. Under Wine the benchmarks run on their
# own Xvfb (the first free display from LARKSPUR_FIRST_DISPLAY on), in a Wine desktop, at 96 dpi
# and with code page 1251, in the prefix LARKSPUR_BENCH_PREFIX (default build/bench-wine), with
# the wineserver kept running throughout, as Windows keeps its kernel running. Run without names,
# it also builds the release packages (build/bench-release-x64 and -x86, without the tests) and
# gives the size of the executable each ZIP holds.
#
# LARKSPUR_COMPARE=<git revision> (main, say) also builds ShowLarkspur.exe of that revision, in
# build/bench-compare, and startup_bench and icons_bench measure it beside this one; given the
# path of a ShowLarkspur.exe already built instead, they take that one.
# LARKSPUR_BENCH_ROUNDS=<n> gives the benchmarks that run in rounds (start-up, icons) that many.
set -uo pipefail

source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/wine.sh"
cd "$LARKSPUR_ROOT" || exit 1
install_cleanup_trap

LOGS=$LARKSPUR_ARTIFACTS/bench
NATIVE_BUILD=$LARKSPUR_BUILD/bench-native
WINDOWS_BUILD=$LARKSPUR_BUILD/bench-x64
PREFIX=${LARKSPUR_BENCH_PREFIX:-$LARKSPUR_BUILD/bench-wine}
mkdir -p "$LOGS"
rm -f "$LOGS"/*.figures

# Programs in bench/ that the benchmarks measure rather than benchmarks (see bench/CMakeLists.txt).
measured_programs=(empty_window content_floor)

names=("$@")
if [ "${#names[@]}" -eq 0 ]; then
    for source in bench/*.cpp; do
        name=$(basename "$source" .cpp)
        [[ " ${measured_programs[*]} " == *" $name "* ]] || names+=("$name")
    done
fi
[ "${#names[@]}" -gt 0 ] || { say "There are no benchmarks (bench/*.cpp)."; exit 0; }

stage "Installing what is missing"
install_missing "${LARKSPUR_WINDOWS_PACKAGES[@]}" || exit 1

# Configures a preset in its own folder and builds the benchmarks named that it has (a
# Windows-only one has no target natively).
build() {
    local preset=$1 folder=$2 log=$LOGS/build-$1.log targets=() name
    stage "Building $preset ($folder)"
    if ! cmake --preset "$preset" -B "$folder" >"$log" 2>&1; then
        show_log "$log"
        say "Configuring $preset failed."
        return 1
    fi
    local known
    known=$(cmake --build "$folder" --target help 2>>"$log")
    for name in "${names[@]}"; do
        grep -q "^$name:" <<<"$known" && targets+=("$name")
    done
    [ "${#targets[@]}" -gt 0 ] || return 0
    if ! cmake --build "$folder" -j "$LARKSPUR_JOBS" --target "${targets[@]}" >>"$log" 2>&1; then
        show_log "$log"
        say "The $preset build failed."
        return 1
    fi
}
build native "$NATIVE_BUILD" || exit 1
build x64 "$WINDOWS_BUILD" || exit 1

# ShowLarkspur.exe of another revision, from that revision's sources, built as this one is.
compare_build=
if [ -f "${LARKSPUR_COMPARE:-}" ]; then
    compare_build=$(realpath "$LARKSPUR_COMPARE")
elif [ -n "${LARKSPUR_COMPARE:-}" ]; then
    stage "Building ShowLarkspur.exe of $LARKSPUR_COMPARE"
    compare_folder=$LARKSPUR_BUILD/bench-compare log=$LOGS/build-compare.log
    rm -rf "$compare_folder/src" && mkdir -p "$compare_folder/src"
    if ! { git archive "$LARKSPUR_COMPARE" | tar -x -C "$compare_folder/src" &&
        (cd "$compare_folder/src" &&
            cmake --preset x64 -B "$compare_folder/x64" -DLARKSPUR_BUILD_TESTS=OFF &&
            cmake --build "$compare_folder/x64" -j "$LARKSPUR_JOBS" --target ShowLarkspur); } \
        >"$log" 2>&1; then
        show_log "$log"
        say "Building $LARKSPUR_COMPARE failed."
        exit 1
    fi
    compare_build=$compare_folder/x64/ShowLarkspur.exe
    say "$(git rev-parse --short "$LARKSPUR_COMPARE"): $compare_build"
fi

status=0

# Runs one benchmark from its build folder, shows its output and wall time, and keeps the
# figures it printed in $LOGS/<platform>.figures.
run_benchmark() {
    local folder=$1 platform=$2 name=$3
    shift 3
    local output=$LOGS/$name-$platform.log started ended code
    say "$name ($platform)"
    started=$(date +%s.%N)
    (cd "$folder" && "$@") >"$output" 2>&1
    code=$?
    ended=$(date +%s.%N)
    sed 's/^/    /' "$output"
    printf '  exit code %d, wall %s s\n' "$code" \
        "$(awk -v a="$started" -v b="$ended" 'BEGIN { printf "%.1f", b - a }')"
    tr -d '\r' <"$output" | grep -P '^[^#\t][^\t]*\t[^\t]+\t' >>"$LOGS/$platform.figures"
    [ "$code" -eq 0 ] || status=1
}

stage "Native"
for name in "${names[@]}"; do
    [ -x "$NATIVE_BUILD/bench/$name" ] &&
        run_benchmark "$NATIVE_BUILD" native "$name" "./bench/$name"
done

stage "Under Wine (x64)"
ensure_russian_locale ||
    say "Running without the ru_RU.UTF-8 locale: Wine's ANSI code page is not 1251."
start_xvfb "$LOGS/xvfb.log" || exit 1
export WINEPREFIX=$PREFIX
if ! prefix_is_ready "$WINEPREFIX"; then
    create_wine_prefix "$WINEPREFIX" desktop ||
        { say "Could not prepare the Wine prefix."; exit 1; }
fi
on_exit "stop_wine '$WINEPREFIX'"
set_wine_dpi "$WINEPREFIX" 96
wineserver -p
russian wine64 cmd /c exit >/dev/null 2>&1  # the first start of a prefix is not what we measure

# icons_bench's menu on a file server that never answers: \\unreachable, a FUSE mount that is
# never served (tests/e2e/lib/unreachable_folder.c).
if [ -e /dev/fuse ] && cc -O1 -o "$LARKSPUR_BUILD/unreachable_folder" \
    "$LARKSPUR_ROOT/tests/e2e/lib/unreachable_folder.c"; then
    unreachable=$LARKSPUR_BUILD/bench-unreachable
    mkdir -p "$unreachable" "$WINEPREFIX/dosdevices/unc"
    "$LARKSPUR_BUILD/unreachable_folder" "$unreachable" >"$LOGS/unreachable.log" 2>&1 &
    on_exit "kill $!; wait $!; umount -l '$unreachable'; rm -f '$WINEPREFIX/dosdevices/unc/unreachable'"
    ln -sfn "$unreachable" "$WINEPREFIX/dosdevices/unc/unreachable"
    export LARKSPUR_UNREACHABLE='\\unreachable\share'
fi

for name in "${names[@]}"; do
    arguments=()
    [[ -n "${LARKSPUR_BENCH_ROUNDS:-}" && " startup_bench icons_bench " == *" $name "* ]] &&
        arguments=("$LARKSPUR_BENCH_ROUNDS")
    [[ -n "$compare_build" && " startup_bench icons_bench " == *" $name "* ]] &&
        arguments+=("--compare=$(windows_path "$WINEPREFIX" "$compare_build")")
    [ -f "$WINDOWS_BUILD/bench/$name.exe" ] &&
        run_benchmark "$WINDOWS_BUILD" wine "$name" russian wine64 "bench/$name.exe" "${arguments[@]}"
done

# The size of ShowLarkspur.exe as the release ZIPs hold it (stripped), built without the tests.
size_goal_kb=(x64 512 x86 600)
[ "$#" -eq 0 ] && stage "Sizes of the release executables"
for ((i = 0; $# == 0 && i < ${#size_goal_kb[@]}; i += 2)); do
    arch=${size_goal_kb[i]} goal=${size_goal_kb[i + 1]}
    folder=$LARKSPUR_BUILD/bench-release-$arch log=$LOGS/build-release-$arch.log
    if ! { cmake --preset "$arch" -B "$folder" -DLARKSPUR_BUILD_TESTS=OFF &&
        cmake --build "$folder" -j "$LARKSPUR_JOBS" --target package; } >"$log" 2>&1; then
        show_log "$log"
        say "The $arch release build failed."
        status=1
        continue
    fi
    zip=$(ls "$folder"/ShowLarkspur-*-"$arch".zip)
    bytes=$(cd "$folder" && cmake -E tar tvf "$zip" | awk '$NF == "ShowLarkspur.exe" { print $5 }')
    say "$(basename "$zip"): ShowLarkspur.exe $bytes bytes"
    awk -v what="size: ShowLarkspur.exe in the $arch ZIP" -v bytes="$bytes" -v goal="$goal" 'BEGIN {
        kb = bytes / 1024
        printf "%s\t%.1f\tKB\t%s (goal < %d KB)\n", what, kb, kb < goal ? "met" : "NOT MET", goal
    }' >>"$LOGS/wine.figures"
done

stage "Figures"
figures=$(ls "$LOGS"/wine.figures "$LOGS"/native.figures 2>/dev/null)
[ -n "$figures" ] || { say "No benchmark printed a figure."; exit 1; }
# One row per figure in the order printed (under Wine, where there are the most); a goal's
# verdict follows its value.
awk -F'\t' '
    FNR == 1 { platform = (FILENAME ~ /native/) ? "native" : "wine" }
    {
        if (!($1 in seen)) { seen[$1] = 1; order[++count] = $1 }
        cell[$1, platform] = $2 " " $3 ($4 == "" ? "" : "  " $4)
        if (length($1) > width) width = length($1)
    }
    END {
        format = "%-" width "s  %-34s  %-34s\n"
        printf format, "figure", "native", "Wine"
        for (i = 1; i <= count; i++) {
            key = order[i]
            native = ((key, "native") in cell) ? cell[key, "native"] : "-"
            wine = ((key, "wine") in cell) ? cell[key, "wine"] : "-"
            printf format, key, native, wine
        }
    }' $figures
say "(us: microseconds, ms: milliseconds, x: times; outputs and build logs in $LOGS)"
exit "$status"
