# shellcheck shell=bash
# Shared by the scripts and the end-to-end harness (sourced, never run): the project's folders,
# installing missing Debian packages, printing, and clean-up on exit.

LARKSPUR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
LARKSPUR_BUILD=${LARKSPUR_BUILD:-$LARKSPUR_ROOT/build}
LARKSPUR_ARTIFACTS=${LARKSPUR_ARTIFACTS:-$LARKSPUR_ROOT/artifacts}
LARKSPUR_JOBS=${LARKSPUR_JOBS:-2}

say() { printf '%s\n' "$*"; }
warn() { printf '%s\n' "$*" >&2; }

# A stage header, easy to find in a long log.
stage() { printf '\n==== %s ====\n' "$*"; }

# Shows the end of a log file, for a failure.
show_log() {
    local file=$1 lines=${2:-150}
    [ -s "$file" ] || { say "(no output)"; return; }
    local total
    total=$(wc -l <"$file")
    if [ "$total" -gt "$lines" ]; then
        say "... (last $lines of $total lines; whole log: $file)"
    fi
    tail -n "$lines" "$file"
}

# --- Clean-up: commands run in reverse order when the script exits, however it exits. --------

LARKSPUR_CLEANUP=()

on_exit() { LARKSPUR_CLEANUP+=("$*"); }

run_cleanup() {
    local i
    for ((i = ${#LARKSPUR_CLEANUP[@]} - 1; i >= 0; i--)); do
        eval "${LARKSPUR_CLEANUP[i]}" >/dev/null 2>&1 || true
    done
    LARKSPUR_CLEANUP=()
}

install_cleanup_trap() {
    trap run_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

# --- Debian packages ----------------------------------------------------------------------------

missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' ||
            printf '%s\n' "$package"
    done
}

# Installs whichever of the given packages are missing; prints what it does.
install_missing() {
    local missing
    missing=$(missing_packages "$@" | tr '\n' ' ')
    if [ -z "${missing// /}" ]; then
        say "All needed packages are installed."
        return 0
    fi
    say "Installing: $missing"
    if [ "$(id -u)" -ne 0 ]; then
        warn "Installing packages needs root: run as root, or install them yourself: apt-get install $missing"
        return 1
    fi
    local log
    log=$(mktemp)
    # shellcheck disable=SC2086  # the list is word-split on purpose
    if ! { apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q $missing; } \
        >"$log" 2>&1; then
        show_log "$log" 60
        rm -f "$log"
        warn "Could not install: $missing"
        return 1
    fi
    rm -f "$log"
    say "Installed."
}

# What building (with GCC, and with clang and lld: clang-cl and lld-link check the MSVC link),
# packaging (wixl and msitools' msibuild make the MSI, osslsigncode signs it) and running the
# Windows build under Wine needs.
LARKSPUR_WINDOWS_PACKAGES=(cmake ninja-build g++ googletest
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools clang lld llvm
    wixl msitools osslsigncode openssl wine wine64 xvfb xdotool imagemagick locales)
# What the fuzz run needs on top: clang and its libFuzzer runtime.
LARKSPUR_FUZZ_PACKAGES=(clang libclang-rt-14-dev)
