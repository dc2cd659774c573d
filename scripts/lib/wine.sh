# shellcheck shell=bash
# Running the Windows build under Wine on a virtual X server (sourced after common.sh): Xvfb,
# Wine prefixes, the Russian locale. Every Wine run of ours is 64-bit and uses its own prefix.

export PATH=/usr/lib/wine:$PATH
export WINEDEBUG=${WINEDEBUG:--all}

LARKSPUR_SCREEN=${LARKSPUR_SCREEN:-1024x768}
LARKSPUR_DESKTOP_NAME=Larkspur

# --- Xvfb ------------------------------------------------------------------------------------------

# Starts an Xvfb on the first free display from LARKSPUR_FIRST_DISPLAY on and exports DISPLAY;
# XVFB_PID is its process. Xvfb takes the display's lock itself, so two runs that pick the same
# number at once cannot both win: the loser moves on to the next one.
start_xvfb() {
    local log=${1:-/dev/null} number pid
    for ((number = ${LARKSPUR_FIRST_DISPLAY:-40}; number < ${LARKSPUR_FIRST_DISPLAY:-40} + 100; number++)); do
        [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
        Xvfb ":$number" -screen 0 "${LARKSPUR_SCREEN}x24" -nolisten tcp -noreset >"$log" 2>&1 &
        pid=$!
        local tries
        for ((tries = 0; tries < 100; tries++)); do
            if ! kill -0 "$pid" 2>/dev/null; then
                break  # lost the display to someone else: take the next one
            fi
            if DISPLAY=":$number" xdotool getdisplaygeometry >/dev/null 2>&1; then
                export DISPLAY=":$number"
                XVFB_PID=$pid
                on_exit "kill $pid"
                return 0
            fi
            sleep 0.1
        done
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    warn "Could not start Xvfb (see $log)."
    return 1
}

# --- Locale ------------------------------------------------------------------------------------------

# Wine takes its ANSI code page from the Linux locale: ru_RU.UTF-8 gives 1251, as on the Russian
# Windows the menu files come from; and its display language (GetUserDefaultUILanguage): en_US.UTF-8
# gives an English Windows. Builds a locale (ru_RU.UTF-8 unless named) once; where the system's
# locale folder cannot be written, builds it under build/ and exports LOCPATH.
ensure_locale() {
    local locale=${1:-ru_RU.UTF-8} log
    if [ "$(LC_ALL=$locale locale charmap 2>/dev/null)" = UTF-8 ]; then
        return 0
    fi
    log=$(mktemp)
    localedef -i "${locale%%.*}" -f UTF-8 "$locale" >"$log" 2>&1
    if [ "$(LC_ALL=$locale locale charmap 2>/dev/null)" != UTF-8 ]; then
        mkdir -p "$LARKSPUR_BUILD/locale"
        localedef -i "${locale%%.*}" -f UTF-8 "$LARKSPUR_BUILD/locale/$locale" >>"$log" 2>&1
        export LOCPATH=$LARKSPUR_BUILD/locale
    fi
    if [ "$(LC_ALL=$locale locale charmap 2>/dev/null)" != UTF-8 ]; then
        show_log "$log" 30
        rm -f "$log"
        warn "Could not build the $locale locale."
        return 1
    fi
    rm -f "$log"
}

ensure_russian_locale() { ensure_locale ru_RU.UTF-8; }

# Runs a command under the Russian locale (Wine's ANSI code page 1251, OEM 866).
russian() { LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 "$@"; }

# --- Wine prefixes -----------------------------------------------------------------------------------

# Ends every Wine process of a prefix and its wineserver.
stop_wine() {
    local prefix=$1
    [ -d "$prefix" ] || return 0
    WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1
    WINEPREFIX=$prefix timeout 30 wineserver -w >/dev/null 2>&1
    return 0
}

# Waits until a prefix's wineserver has written the registry and ended.
settle_wine() {
    local prefix=$1
    if ! WINEPREFIX=$prefix timeout 120 wineserver -w >/dev/null 2>&1; then
        stop_wine "$prefix"
    fi
}

# Sets the screen resolution Wine reports (LogPixels) for new processes of a prefix.
set_wine_dpi() {
    local prefix=$1 dpi=$2
    WINEPREFIX=$prefix wine64 reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
        /d "$dpi" /f >/dev/null 2>&1
}

# Makes every program of the prefix run inside one virtual desktop of the screen's size, so that
# windows get their captions without a window manager, and `wine64 program` still returns the
# program's own exit code.
use_virtual_desktop() {
    local prefix=$1
    WINEPREFIX=$prefix wine64 reg add 'HKCU\Software\Wine\Explorer' /v Desktop \
        /d "$LARKSPUR_DESKTOP_NAME" /f >/dev/null 2>&1 &&
        WINEPREFIX=$prefix wine64 reg add 'HKCU\Software\Wine\Explorer\Desktops' \
            /v "$LARKSPUR_DESKTOP_NAME" /d "$LARKSPUR_SCREEN" /f >/dev/null 2>&1
}

# A prefix is ready when its DPI is set and the shell knows its file types: without HKCR\.exe
# (and the other types mshtml registers) every program shows the document icon.
prefix_is_ready() {
    [ -f "$1/system.reg" ] && grep -q '"LogPixels"=dword:' "$1/user.reg" 2>/dev/null &&
        grep -q '^\[Software\\\\Classes\\\\.exe\]' "$1/system.reg"
}

# Creates a new prefix (anything at that path is replaced) at 96 dpi, optionally with the virtual
# desktop. The first start of Wine in a prefix is slow and now and then hangs: one more attempt
# is made before giving up, and the log of the failed one is shown.
create_wine_prefix() {
    local prefix=$1 desktop=${2:-} log attempt
    log=$(mktemp)
    for attempt in 1 2; do
        stop_wine "$prefix"
        rm -rf "$prefix"
        mkdir -p "$(dirname "$prefix")"
        # No Mono: the prompt to download it would wait for ever. mshtml stays: its registration
        # writes the shell's file types (.exe, .txt ...), and Debian's Wine asks nothing for Gecko.
        if WINEPREFIX=$prefix WINEDLLOVERRIDES="mscoree=" timeout 300 wine64 wineboot -i \
            >"$log" 2>&1 &&
            set_wine_dpi "$prefix" 96 &&
            { [ -z "$desktop" ] || use_virtual_desktop "$prefix"; }; then
            settle_wine "$prefix"
            if prefix_is_ready "$prefix"; then
                rm -f "$log"
                return 0
            fi
        fi
        stop_wine "$prefix"
        say "Preparing the Wine prefix $prefix failed (attempt $attempt)."
    done
    show_log "$log" 40
    rm -f "$log"
    return 1
}

# Copies a prepared prefix for one test: its registry and user folders are the copy's own; the
# system folder (hundreds of megabytes that Wine only reads) is shared through hard links.
clone_wine_prefix() {
    local template=$1 prefix=$2
    stop_wine "$prefix"
    rm -rf "$prefix"
    mkdir -p "$prefix"
    tar -C "$template" --exclude=./drive_c/windows/system32 -cf - . | tar -C "$prefix" -xf - &&
        cp -al "$template/drive_c/windows/system32" "$prefix/drive_c/windows/system32"
}

# A Unix path as Windows sees it from the given prefix.
windows_path() {
    local prefix=$1 path=$2
    WINEPREFIX=$prefix wine64 winepath -w "$path" 2>/dev/null
}

# --- End-to-end tests ----------------------------------------------------------------------------

# Where an end-to-end test keeps its prefix and the pid of its Xvfb while it runs.
e2e_state_dir() { printf '%s\n' "$LARKSPUR_BUILD/e2e/$1"; }

# Clears up after an end-to-end test that could not do it itself (killed on its time-out).
reap_e2e_test() {
    local state pid
    state=$(e2e_state_dir "$1")
    [ -d "$state" ] || return 0
    pid=$(cat "$state/xvfb.pid" 2>/dev/null)
    if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]; then
        kill "$pid" 2>/dev/null
    fi
    stop_wine "$state/prefix"
    [ -n "${E2E_KEEP:-}" ] || rm -rf "$state"
}
