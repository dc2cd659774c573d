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

# The resolution DPI-aware programs are given, set through LogPixels. (Notepad is not DPI
# aware: its window keeps 96 dpi sizes whatever the setting.)
e2e_set_dpi 144
assert_eq 144 "$(e2e_reg_get 'HKCU\Control Panel\Desktop' LogPixels)" "LogPixels read back"
assert_eq 144 "$(e2e_probe dpi | e2e_field dpi)" "the resolution a program is given"

# A window with a Cyrillic title.
note=$E2E_WORK/Заметка.txt
{ printf '\xff\xfe'; printf 'Первая строка\r\n' | iconv -f UTF-8 -t UTF-16LE; } >"$note"
# Away from the screen's corner, so that a position counted wrong shows.
for value in iWindowPosX:90 iWindowPosY:70 iWindowPosDX:600 iWindowPosDY:400; do
    wine64 reg add 'HKCU\Software\Microsoft\Notepad' /v "${value%%:*}" /t REG_DWORD \
        /d "${value#*:}" /f >/dev/null 2>&1 || e2e_fail "could not place Notepad's window"
done
e2e_start_program notepad "$(e2e_winpath "$note")"
title="Заметка.txt - Блокнот"  # Wine speaks Russian under this locale
window=$(e2e_wait_window "$title" 60)

# Keys and typing reach the focused control; the probe reads its text back.
e2e_key "$window" ctrl+End
e2e_type "$window" "Latin 123, "
e2e_type "$window" "съешь ещё Ёж"
text=$(e2e_window_info "$title" | awk -F'\t' '$1 == "control" && $3 == "class=Edit"' | e2e_field text)
assert_eq $'Первая строка\r\nLatin 123, съешь ещё Ёж' "$text" "the text typed into the editor"

# Win32's screen coordinates are X's: the window's screenshot is the part of the screen where
# Windows says the window is (but for the caret, which may blink between the two pictures; a
# place one pixel off differs in thousands).
read -r x y width height <<<"$(e2e_geometry "$window")"
e2e_screenshot notepad "$window" >/dev/null
assert_eq "${width}x$height" "$(identify -format '%wx%h' "$E2E_ARTIFACTS/notepad.png")" \
    "the window's screenshot size"
e2e_screenshot screen >/dev/null
differing=$(compare -metric AE "$E2E_ARTIFACTS/notepad.png" \
    \( "$E2E_ARTIFACTS/screen.png" -crop "${width}x$height+$x+$y" +repage \) null: 2>&1)
assert_near 0 "$differing" 50 "pixels that differ between the window and its place on the screen"
