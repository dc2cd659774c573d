#!/usr/bin/env bash
# The executable's header as MSVC and lld-link write it: OS and subsystem version 6.0 (below it
# Windows gives resizable windows legacy frame metrics) and Terminal Server aware (else Remote
# Desktop hosts apply compatibility shims).
#
#   scripts/checks/pe_header.sh EXE    exits non-zero, saying what differs, on a fault
set -uo pipefail

header=$(llvm-readobj --file-headers "$1") || exit 1
faults=0
for field in MajorOperatingSystemVersion:6 MinorOperatingSystemVersion:0 \
    MajorSubsystemVersion:6 MinorSubsystemVersion:0; do
    value=$(sed -n "s/^ *${field%%:*}: //p" <<<"$header")
    if [ "$value" != "${field#*:}" ]; then
        printf '%s: %s is %s, not %s\n' "$1" "${field%%:*}" "$value" "${field#*:}"
        faults=$((faults + 1))
    fi
done
if ! grep -q IMAGE_DLL_CHARACTERISTICS_TERMINAL_SERVER_AWARE <<<"$header"; then
    printf '%s: not Terminal Server aware\n' "$1"
    faults=$((faults + 1))
fi
[ "$faults" -eq 0 ] && printf 'ok: %s: Windows 6.0, Terminal Server aware\n' "$1"
