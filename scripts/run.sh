#!/usr/bin/env bash
# Runs ShowLarkspur.exe under Wine on a menu file: the one given, or else the first sample
# (by name) in examples/.
#
#   scripts/run.sh [menu-file]
#
# Installs what is missing, builds the x64 preset, keeps one Wine prefix in build/wine/run.
# With a DISPLAY the program simply runs there. Without one, it runs on its own Xvfb inside a
# Wine desktop (so windows have captions); the script waits for its window, saves a screenshot,
# prints the PNG's path, closes the program and exits.
set -uo pipefail

source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/wine.sh"
menu_argument=${1:-}
[ -z "$menu_argument" ] || menu_argument=$(realpath -m "$menu_argument")
cd "$LARKSPUR_ROOT" || exit 1
install_cleanup_trap

LOGS=$LARKSPUR_ARTIFACTS/run
mkdir -p "$LOGS"
exe=build/x64/ShowLarkspur.exe

stage "Installing what is missing"
install_missing "${LARKSPUR_WINDOWS_PACKAGES[@]}" || exit 1

stage "Building x64 (build/x64)"
log=$LOGS/build-x64.log
if ! cmake --preset x64 >"$log" 2>&1; then
    show_log "$log"
    say "The x64 build could not be configured."
    exit 1
fi
if ! cmake --build build/x64 --target help 2>/dev/null | grep -q '^ShowLarkspur\(\.exe\)\?:'; then
    say "ShowLarkspur.exe is not built yet: the x64 build has no ShowLarkspur target"
    say "(its entry point, src/app/win32/WinMain.cpp, does not exist yet)."
    exit 1
fi
if ! cmake --build build/x64 -j "$LARKSPUR_JOBS" --target ShowLarkspur >>"$log" 2>&1; then
    show_log "$log"
    say "ShowLarkspur.exe did not build."
    exit 1
fi
say "Built $exe."

if [ -n "$menu_argument" ]; then
    menu=$menu_argument
    [ -f "$menu" ] || { say "No such menu file: $menu"; exit 1; }
else
    menu=$(find examples -maxdepth 1 -name '*.Larkspur' -type f 2>/dev/null | LC_ALL=C sort | head -n 1)
    if [ -z "$menu" ]; then
        say "There is no sample menu (examples/*.Larkspur) yet; give a menu file:"
        say "  scripts/run.sh path/to/menu.Larkspur"
        exit 1
    fi
    menu=$LARKSPUR_ROOT/$menu
fi

stage "Preparing Wine (build/wine/run)"
ensure_russian_locale || say "Running without the ru_RU.UTF-8 locale: Wine's ANSI code page is not 1251."
export WINEPREFIX=$LARKSPUR_BUILD/wine/run
headless=0
if [ -z "${DISPLAY:-}" ]; then
    headless=1
    start_xvfb "$LOGS/xvfb.log" || exit 1
fi
if ! prefix_is_ready "$WINEPREFIX"; then
    create_wine_prefix "$WINEPREFIX" || { say "Could not prepare the Wine prefix."; exit 1; }
fi
on_exit "stop_wine '$WINEPREFIX'"
menu_windows=$(windows_path "$WINEPREFIX" "$menu")

stage "Running ShowLarkspur.exe \"$menu_windows\""
if [ "$headless" = 0 ]; then
    russian wine64 "$exe" "$menu_windows"
    code=$?
    say "ShowLarkspur.exe ended with code $code."
    exit "$code"
fi

# The program's own windows: everything visible but the desktop and the input-method windows.
program_windows() {
    local id name
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        name=$(xdotool getwindowname "$id" 2>/dev/null)
        case "$name" in "" | "Default IME" | *" - Wine desktop") continue ;; esac
        printf '%s\t%s\n' "$id" "$name"
    done
}

program_log=$LOGS/program.log
russian wine64 explorer "/desktop=$LARKSPUR_DESKTOP_NAME,$LARKSPUR_SCREEN" "$exe" "$menu_windows" \
    >"$program_log" 2>&1 &
pid=$!

deadline=$((SECONDS + ${LARKSPUR_RUN_TIMEOUT:-60}))
window=
while [ "$SECONDS" -lt "$deadline" ]; do
    window=$(program_windows | head -n 1)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.3
done

if [ -z "$window" ]; then
    if kill -0 "$pid" 2>/dev/null; then
        import -window root "$LOGS/no-window.png" 2>/dev/null
        say "ShowLarkspur.exe showed no window within ${LARKSPUR_RUN_TIMEOUT:-60} s (screen: $LOGS/no-window.png)."
    else
        say "ShowLarkspur.exe ended without showing a window."
    fi
    show_log "$program_log" 40
    exit 1
fi

sleep 1  # let it finish painting
id=${window%%$'\t'*}
title=${window#*$'\t'}
screenshot=$LOGS/ShowLarkspur.png
import -window root "$screenshot" || { say "Could not take the screenshot."; exit 1; }
say "Window: \"$title\""
say "Screenshot: $screenshot"

# Close it as a user would (Alt+F4), and make sure it is gone.
timeout 5 xdotool windowfocus --sync "$id" >/dev/null 2>&1
xdotool key alt+F4
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
    say "ShowLarkspur.exe did not close on Alt+F4; stopped it."
else
    say "Closed."
fi
