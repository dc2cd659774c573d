#!/usr/bin/env bash
# Checks the harness itself on programs that come with Wine, so that a failing end-to-end test
# points at the program under test and not at its tools: exit codes, Windows paths, a window with
# a Cyrillic title, keys and typing (Cyrillic included), reading controls and the registry, the
# resolution set through LogPixels, geometry and screenshots.
source "$(dirname "$0")/harness.sh"

# A program's exit code, and a file written through the Windows path of the test's folder.
work=$(e2e_winpath "$E2E_WORK")
assert_eq 'C:\e2e' "$work" "the test's folder as Windows sees it"
e2e_start_program cmd /c "echo marker> $work\\marker.txt & exit 7"
e2e_wait_exit 60
assert_eq 7 "$E2E_EXIT_CODE" "the exit code of a Windows program"
assert_file_exists "$E2E_WORK/marker.txt" "the file written through C:\\e2e"

# A window with a Cyrillic title at 144 dpi.
e2e_set_dpi 144
assert_eq 144 "$(e2e_reg_get 'HKCU\Control Panel\Desktop' LogPixels)" "LogPixels read back"
note=$E2E_WORK/Заметка.txt
{ printf '\xff\xfe'; printf 'Первая строка\r\n' | iconv -f UTF-8 -t UTF-16LE; } >"$note"
e2e_start_program notepad "$(e2e_winpath "$note")"
title="Заметка.txt - Блокнот"  # Wine speaks Russian under this locale
window=$(e2e_wait_window "$title" 60)
info=$(e2e_window_info "$title")
assert_eq 144 "$(grep '^window' <<<"$info" | e2e_field dpi)" "the window's resolution"

# Keys and typing reach the focused control; the probe reads its text back.
e2e_key "$window" ctrl+End
e2e_type "$window" "Latin 123, "
e2e_type "$window" "съешь ещё Ёж"
text=$(e2e_window_info "$title" | awk -F'\t' '$1 == "control" && $3 == "class=Edit"' | e2e_field text)
assert_eq $'Первая строка\r\nLatin 123, съешь ещё Ёж' "$text" "the text typed into the editor"

# X and Win32 agree on the window's size; the screenshot has that size.
read -r _ _ width height <<<"$(e2e_geometry "$window")"
assert_eq "$(grep '^window' <<<"$info" | e2e_field width)" "$width" "the window's width seen by X"
assert_eq "$(grep '^window' <<<"$info" | e2e_field height)" "$height" "the window's height seen by X"
e2e_screenshot notepad "$window" >/dev/null
assert_eq "${width}x$height" "$(identify -format '%wx%h' "$E2E_ARTIFACTS/notepad.png")" \
    "the window's screenshot size"
