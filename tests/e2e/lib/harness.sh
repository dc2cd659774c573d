# The end-to-end harness: sourced by each tests/e2e/test_*.sh (see README.md beside this file).
# Sourcing it gives the test its own Xvfb, its own Wine prefix (a copy of the run's prefix, with
# a virtual desktop and 96 dpi) and its own artifacts folder, and clears them up on exit.
# shellcheck shell=bash

set -uo pipefail

source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/common.sh"
source "$LARKSPUR_ROOT/scripts/lib/wine.sh"

E2E_NAME=$(basename "$0" .sh)
E2E_ARTIFACTS=$LARKSPUR_ARTIFACTS/e2e/$E2E_NAME
E2E_STATE=$(e2e_state_dir "$E2E_NAME")
E2E_X64=${LARKSPUR_X64_DIR:-$LARKSPUR_BUILD/x64}
E2E_EXE=$E2E_X64/ShowLarkspur.exe
E2E_PROBE=$E2E_X64/tests/e2e_probe.exe
E2E_PID=
E2E_EXIT_CODE=
E2E_RUNS=0

# --- Failing ---------------------------------------------------------------------------------------

# Ends the test as failed: prints why, keeps a screenshot of the screen at that moment. Called
# inside $(...), it ends the test itself too, not only the subshell.
e2e_fail() {
    printf 'FAIL [%s] %s\n' "$E2E_NAME" "$*" >&2
    if [ -n "${DISPLAY:-}" ] && [ -d "$E2E_ARTIFACTS" ]; then
        import -window root "$E2E_ARTIFACTS/failure.png" 2>/dev/null &&
            printf 'screenshot at the failure: %s\n' "$E2E_ARTIFACTS/failure.png" >&2
    fi
    [ "$BASHPID" = "$$" ] || kill -USR1 "$$"
    exit 1
}

e2e_ok() { printf 'ok   %s\n' "$*"; }

# --- Set-up ---------------------------------------------------------------------------------------

e2e_setup() {
    # scripts/test.sh sends the test's output to output.log in this folder: that file stays.
    mkdir -p "$E2E_ARTIFACTS"
    find "$E2E_ARTIFACTS" -mindepth 1 -maxdepth 1 ! -name output.log -exec rm -rf {} +
    reap_e2e_test "$E2E_NAME"
    mkdir -p "$E2E_STATE"
    install_cleanup_trap
    trap 'exit 1' USR1
    unset DISPLAY
    [ -n "${E2E_KEEP:-}" ] || on_exit "rm -rf '$E2E_STATE'"

    [ -f "$E2E_PROBE" ] || e2e_fail "$E2E_PROBE is not built (cmake --preset x64 && cmake --build build/x64)"

    # Every Wine process of the test runs with the ANSI code page 1251 and Russian as Windows'
    # display language, unless the test sets E2E_LOCALE before it sources the harness.
    E2E_LOCALE=${E2E_LOCALE:-ru_RU.UTF-8}
    ensure_locale "$E2E_LOCALE" ||
        e2e_fail "the $E2E_LOCALE locale is missing and could not be built"
    export LANG=$E2E_LOCALE LC_ALL=$E2E_LOCALE

    start_xvfb "$E2E_STATE/xvfb.log" || e2e_fail "could not start Xvfb"
    echo "$XVFB_PID" >"$E2E_STATE/xvfb.pid"

    local template=${LARKSPUR_WINE_TEMPLATE:-$LARKSPUR_BUILD/wine/template}
    if ! prefix_is_ready "$template"; then
        say "Preparing the Wine prefix $template (once)."
        create_wine_prefix "$template" desktop || e2e_fail "could not prepare the Wine prefix"
    fi
    export WINEPREFIX=$E2E_STATE/prefix
    clone_wine_prefix "$template" "$WINEPREFIX" || e2e_fail "could not copy the Wine prefix"
    on_exit "stop_wine '$WINEPREFIX'"

    # The test's own folder inside the prefix, C:\e2e for the program.
    E2E_WORK=$WINEPREFIX/drive_c/e2e
    mkdir -p "$E2E_WORK"
}

# --- Programs -----------------------------------------------------------------------------------------

# A Unix path as the program sees it (C:\e2e\... inside the test's folder, Z:\... elsewhere).
e2e_winpath() { windows_path "$WINEPREFIX" "$1"; }

# Starts ShowLarkspur.exe with the given arguments (Windows paths: see e2e_winpath). Call it
# directly, not inside $(...): the harness waits for the process later.
e2e_start() {
    [ -f "$E2E_EXE" ] || e2e_fail "$E2E_EXE is not built (cmake --preset x64 && cmake --build build/x64)"
    e2e_start_program "$E2E_EXE" "$@"
}

# Starts any Windows program the same way (a path, or a name Wine finds, such as cmd); its
# output goes to the artifacts folder.
e2e_start_program() {
    local exe=$1
    shift
    E2E_RUNS=$((E2E_RUNS + 1))
    local log=$E2E_ARTIFACTS/run-$E2E_RUNS.log
    wine64 "$exe" "$@" >"$log" 2>&1 &
    E2E_PID=$!
    E2E_EXIT_CODE=
    printf 'run %d: %s %s\n' "$E2E_RUNS" "$(basename "$exe")" "$*"
}

e2e_running() { [ -n "$E2E_PID" ] && kill -0 "$E2E_PID" 2>/dev/null; }

# Waits for the started program to end; its exit code is then in E2E_EXIT_CODE.
e2e_wait_exit() {
    local timeout=${1:-30} deadline=$((SECONDS + ${1:-30}))
    [ -n "$E2E_PID" ] || e2e_fail "e2e_wait_exit: no program was started"
    while e2e_running; do
        [ "$SECONDS" -lt "$deadline" ] || e2e_fail "the program is still running after $timeout s"
        sleep 0.2
    done
    wait "$E2E_PID"
    E2E_EXIT_CODE=$?
    printf 'run %d ended with code %s\n' "$E2E_RUNS" "$E2E_EXIT_CODE"
}

# Makes \\SERVER a file server that never answers: whatever looks at its shares waits
# (lib/unreachable_folder.c, a FUSE mount that is never served) until the test ends. A UNC path
# rather than a drive letter, so that what looks at every drive (winepath) does not wait.
e2e_unreachable_server() {
    local server=$1 helper=$E2E_STATE/unreachable_folder folder=$E2E_STATE/unreachable
    [ -e /dev/fuse ] || e2e_fail "no /dev/fuse: an unreachable server needs FUSE"
    cc -O1 -o "$helper" "$LARKSPUR_ROOT/tests/e2e/lib/unreachable_folder.c" ||
        e2e_fail "could not build unreachable_folder"
    mkdir -p "$folder"
    "$helper" "$folder" >"$E2E_STATE/unreachable.log" 2>&1 &
    local pid=$! tries
    # Ended before the prefix and the state folder go, so that nothing waits on it then.
    on_exit "kill $pid; wait $pid; umount -l '$folder'"
    for ((tries = 0; tries < 50; tries++)); do
        grep -q mounted "$E2E_STATE/unreachable.log" && break
        kill -0 "$pid" 2>/dev/null || e2e_fail "could not mount: $(cat "$E2E_STATE/unreachable.log")"
        sleep 0.1
    done
    grep -q mounted "$E2E_STATE/unreachable.log" || e2e_fail "the unreachable folder did not mount"
    mkdir -p "$WINEPREFIX/dosdevices/unc"
    ln -sfn "$folder" "$WINEPREFIX/dosdevices/unc/$server"
}

# The threads (/proc/PID/task/TID) of the programs started in this test's prefix, whose names
# hold "showlarkspur" (the machine may run other tests' programs).
e2e_program_tasks() {
    local process
    for process in /proc/[0-9]*; do
        grep -qi 'showlarkspur' "$process/cmdline" 2>/dev/null || continue
        tr '\0' '\n' <"$process/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" || continue
        printf '%s\n' "$process"/task/*
    done
}

# Whether a thread of the started program waits on the unreachable server now.
e2e_waits_on_unreachable() {
    local task
    for task in $(e2e_program_tasks); do
        case "$(cat "$task/wchan" 2>/dev/null)" in *fuse*) return 0 ;; esac
    done
    return 1
}

# The started program's threads now: "THREADS WAITING", all of them and those waiting on the
# unreachable server.
e2e_program_threads() {
    local task threads=0 waiting=0
    for task in $(e2e_program_tasks); do
        threads=$((threads + 1))
        case "$(cat "$task/wchan" 2>/dev/null)" in *fuse*) waiting=$((waiting + 1)) ;; esac
    done
    printf '%d %d\n' "$threads" "$waiting"
}

# --- Windows ------------------------------------------------------------------------------------------

# The visible windows whose title is exactly TITLE, as X window ids.
e2e_find_windows() {
    local title=$1 pattern id
    pattern=$(printf '%s' "$title" | sed 's/[][\.*^$(){}?+|/]/\\&/g')
    for id in $(xdotool search --onlyvisible --name "^$pattern\$" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$title" ] && printf '%s\n' "$id"
    done
}

# The titles of all visible windows, for messages.
e2e_window_titles() {
    local id
    for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
        printf '  "%s"\n' "$(xdotool getwindowname "$id" 2>/dev/null)"
    done | grep -v -e '"Default IME"' -e ' - Wine desktop"' | sort -u
}

# Waits until a window titled exactly TITLE is visible; prints its X window id.
e2e_wait_window() {
    local title=$1 timeout=${2:-30} deadline id
    deadline=$((SECONDS + timeout))
    while [ "$SECONDS" -lt "$deadline" ]; do
        id=$(e2e_find_windows "$title" | head -n 1)
        if [ -n "$id" ]; then
            printf '%s\n' "$id"
            return 0
        fi
        sleep 0.2
    done
    local state="the program has ended"
    e2e_running && state="the program is still running"
    e2e_fail "no window titled \"$title\" after $timeout s ($state); visible windows:
$(e2e_window_titles)"
}

# Waits until no window titled TITLE is visible any more.
e2e_wait_no_window() {
    local title=$1 timeout=${2:-30} deadline
    deadline=$((SECONDS + timeout))
    while [ -n "$(e2e_find_windows "$title")" ]; do
        [ "$SECONDS" -lt "$deadline" ] || e2e_fail "the window \"$title\" is still there after $timeout s"
        sleep 0.2
    done
}

# Window geometry as Windows sees it: "x y width height" of the whole window, frame included,
# in screen pixels (the virtual desktop covers the X screen, so they are X's root coordinates
# too). Not from xdotool, whose getwindowgeometry counts the position of a window inside
# another one (the desktop) twice.
e2e_geometry() {
    local title info
    title=$(xdotool getwindowname "$1" 2>/dev/null) || e2e_fail "no X window $1"
    info=$(e2e_window_info "$title" | grep '^window')
    printf '%s %s %s %s\n' "$(e2e_field x <<<"$info")" "$(e2e_field y <<<"$info")" \
        "$(e2e_field width <<<"$info")" "$(e2e_field height <<<"$info")"
}

# Saves a screenshot as artifacts/e2e/<test>/<NAME>.png: the whole screen, or just the window
# given by its X id (as the screen shows it, frame included).
e2e_screenshot() {
    local name=$1 window=${2:-} file=$E2E_ARTIFACTS/$1.png
    import -window "${window:-root}" "$file" || e2e_fail "could not take the screenshot $name"
    printf 'screenshot %s\n' "$file"
}

# --- Keyboard -----------------------------------------------------------------------------------------

e2e_focus() {
    timeout 5 xdotool windowfocus --sync "$1" >/dev/null 2>&1 || xdotool windowfocus "$1"
}

# Presses keys (xdotool names: Return, Escape, F3, shift+F3, ctrl+a …) in the given window.
e2e_key() {
    local window=$1
    shift
    e2e_focus "$window"
    xdotool key --clearmodifiers --delay 80 "$@"
}

# Presses keys in whatever window has the focus now (a dialog the program just opened).
e2e_key_focused() { xdotool key --clearmodifiers --delay 80 "$@"; }

# Types text into the given window. ASCII goes as X key presses; other text (Cyrillic) as
# Unicode keystrokes from inside Wine, because xdotool's remapping of spare keys for characters
# the keyboard map lacks races with Wine's reading of that map and loses characters.
e2e_type() {
    local window=$1 text=$2
    e2e_focus "$window"
    if printf '%s' "$text" | LC_ALL=C grep -q '[^ -~]'; then
        e2e_probe type "$text" || e2e_fail "could not type \"$text\""
    else
        xdotool type --clearmodifiers --delay 40 -- "$text"
    fi
}

# --- Mouse ---------------------------------------------------------------------------------------------

# Drags with the left button from one screen point to another (a caption moves its window, a
# frame's corner sizes it), by way of the midpoint, as a hand would.
e2e_drag() {
    local x1=$1 y1=$2 x2=$3 y2=$4
    xdotool mousemove "$x1" "$y1" sleep 0.2 mousedown 1 sleep 0.2 \
        mousemove $(((x1 + x2) / 2)) $(((y1 + y2) / 2)) sleep 0.2 \
        mousemove "$x2" "$y2" sleep 0.2 mouseup 1 || e2e_fail "could not drag the mouse"
    sleep 0.3  # the window follows
}

# --- Reading what the program shows and stores ------------------------------------------------

# Runs the probe (see e2e_probe.cpp) in the test's prefix.
e2e_probe() { wine64 "$E2E_PROBE" "$@"; }

# Reads one field from probe records on standard input, one value per record, unescaped.
e2e_field() {
    local value
    awk -F'\t' -v name="$1=" '{
        for (i = 2; i <= NF; i++) if (index($i, name) == 1) print substr($i, length(name) + 1)
    }' | while IFS= read -r value; do printf '%b\n' "$value"; done
}

# The records on standard input of one kind ("window", "control", "item") that hold every given
# field exactly: e2e_records control class=ListBox focused=1 <<<"$info".
e2e_records() {
    local kind=$1
    shift
    awk -F'\t' -v kind="$kind" -v wanted="$*" '
        BEGIN { count = split(wanted, fields, " ") }
        $1 == kind {
            for (i = 1; i <= count; i++) {
                found = 0
                for (j = 2; j <= NF; j++) if ($j == fields[i]) found = 1
                if (!found) next
            }
            print
        }'
}

# The records of a window (exact title): one "window" line, a "control" line per control,
# an "item" line per list or drop-down row.
e2e_window_info() {
    e2e_probe window "$1" || e2e_fail "no visible window titled \"$1\" for the probe"
}

# The rows of the window's list boxes and drop-downs (or of the one control with that id).
e2e_list_rows() {
    local title=$1 control=${2:-}
    e2e_window_info "$title" | awk -F'\t' -v id="control=$control" \
        '$1 == "item" && (id == "control=" || $2 == id)' | e2e_field text
}

# For each of the first ROWS rows shown in the list of the window titled TITLE: 0 when its icon's
# square holds no picture (two colours at most); with DOCUMENT, the number of a row whose item
# starts nothing that exists, D when it holds the very picture that row shows (the plain document
# icon); else 1. The square is where the program draws it: 2 pixels into the row, past the list's
# 2-pixel edge, 16 pixels square at 96 dpi, centred in the row.
e2e_icon_rows() {
    local title=$1 rows=$2 document=${3:-} info window list border client_x client_y x y height
    local shot row top colours
    info=$(e2e_window_info "$title")
    window=$(e2e_records window <<<"$info")
    border=$((($(e2e_field width <<<"$window") - $(e2e_field client_width <<<"$window")) / 2))
    client_x=$(($(e2e_field x <<<"$window") + border))
    client_y=$(($(e2e_field y <<<"$window") + $(e2e_field height <<<"$window") - border -
        $(e2e_field client_height <<<"$window")))
    list=$(e2e_records control class=ListBox <<<"$info")
    x=$((client_x + $(e2e_field x <<<"$list") + 2 + 2))
    y=$((client_y + $(e2e_field y <<<"$list") + 2))
    height=$(e2e_field item_height <<<"$list")
    shot=$E2E_STATE/rows.png
    import -window root "$shot" 2>/dev/null || e2e_fail "could not take the screen"
    for ((row = 0; row < rows; row++)); do
        top=$((y + row * height + (height - 16) / 2))
        convert "$shot" -crop "16x16+$x+$top" +repage "$E2E_STATE/row-$row.png"
    done
    for ((row = 0; row < rows; row++)); do
        colours=$(convert "$E2E_STATE/row-$row.png" -unique-colors -format %w info:)
        if [ "$colours" -le 2 ]; then
            printf 0
        elif [ -n "$document" ] &&
            compare -metric AE "$E2E_STATE/row-$row.png" "$E2E_STATE/row-$document.png" \
                null: 2>/dev/null; then
            printf D
        else
            printf 1
        fi
        [ "$row" -lt $((rows - 1)) ] && printf ' '
    done
    printf '\n'
}

# The data of a registry value (KEY as HKCU\... or HKLM\...); fails quietly when it is missing.
e2e_reg_get() {
    local records
    records=$(e2e_probe reg "$1" "$2" 2>/dev/null) || return 1
    printf '%s\n' "$records" | e2e_field data
}

# The resolution Wine reports to programs started after this (96 by default).
e2e_set_dpi() { set_wine_dpi "$WINEPREFIX" "$1" || e2e_fail "could not set LogPixels to $1"; }

# --- Assertions (each prints what differed and ends the test when it fails) --------------------

assert_eq() {
    local expected=$1 actual=$2 what=${3:-value}
    [ "$expected" = "$actual" ] ||
        e2e_fail "$what: expected \"$expected\", got \"$actual\""
    e2e_ok "$what"
}

# assert_eq for what the program shows after a key or a click, which it handles in its own
# time: runs the command again until it prints EXPECTED, for up to 10 s.
#   assert_shows $'Один\nДва' "the rows after Ctrl+Up" e2e_list_rows "Редактор"
assert_shows() {
    local expected=$1 what=$2 actual deadline=$((SECONDS + 10))
    shift 2
    while actual=$("$@"); [ "$actual" != "$expected" ] && [ "$SECONDS" -lt "$deadline" ]; do
        sleep 0.3
    done
    assert_eq "$expected" "$actual" "$what"
}

assert_ne() {
    local unexpected=$1 actual=$2 what=${3:-value}
    [ "$unexpected" != "$actual" ] || e2e_fail "$what: expected anything but \"$unexpected\""
    e2e_ok "$what"
}

assert_contains() {
    local text=$1 part=$2 what=${3:-text}
    [[ "$text" == *"$part"* ]] || e2e_fail "$what: \"$part\" not found in \"$text\""
    e2e_ok "$what"
}

# Integers within a tolerance: assert_near 300 "$width" 1 "width at 144 dpi".
assert_near() {
    local expected=$1 actual=$2 tolerance=$3 what=${4:-value}
    [[ "$actual" =~ ^-?[0-9]+$ ]] || e2e_fail "$what: \"$actual\" is not a number"
    local difference=$((actual - expected))
    [ "${difference#-}" -le "$tolerance" ] ||
        e2e_fail "$what: expected $expected (±$tolerance), got $actual"
    e2e_ok "$what"
}

assert_file_exists() {
    [ -e "$1" ] || e2e_fail "${2:-file}: $1 does not exist"
    e2e_ok "${2:-file} exists"
}

assert_no_file() {
    [ ! -e "$1" ] || e2e_fail "${2:-file}: $1 exists"
    e2e_ok "${2:-file} does not exist"
}

assert_running() {
    e2e_running || e2e_fail "${1:-the program}: ended, expected it to be running"
    e2e_ok "${1:-the program} is running"
}

e2e_setup
