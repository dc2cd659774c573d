#!/usr/bin/env bash
# Enter starts the selected item in the menu file's folder and the program ends; Shift+Enter
# starts it and keeps the menu open; Esc ends the program.
source "$(dirname "$0")/lib/harness.sh"

# The menu lives in a folder of its own, with blanks and Cyrillic in its name; the program is
# started from elsewhere (the repository), so the marker shows which folder the item ran in.
folder="$E2E_WORK/Мои меню"
mkdir -p "$folder"
menu=$folder/run.Larkspur
marker=$folder/marker.txt
printf '[Options]\r\nTitle=Запуск\r\n\r\n[Item 0]\r\nTitle=Метка\r\nFileName=cmd.exe\r\nOperation=open\r\nParameters=/c echo ok> marker.txt\r\nShowCommand=SW_HIDE\r\n\r\n[Item 1]\r\nTitle=Другая\r\nFileName=cmd.exe\r\nParameters=/c echo other> other.txt\r\n' >"$menu"

# The started command runs on its own: wait for its file.
wait_for_marker() {
    local deadline=$((SECONDS + 30))
    until [ -s "$marker" ]; do
        [ "$SECONDS" -lt "$deadline" ] || e2e_fail "no $marker after 30 s"
        sleep 0.2
    done
    assert_eq "ok" "$(tr -d '\r' <"$marker")" "the marker's text"
}

# Enter: the item runs, the window closes, the program ends.
e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "Запуск")
e2e_key "$window" Return
e2e_wait_exit 30
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Enter"
wait_for_marker
assert_no_file "$folder/other.txt" "the file of the item that was not chosen"
assert_no_file "$LARKSPUR_ROOT/marker.txt" "a marker in the folder the program was started from"

# Shift+Enter: the item runs and the window stays.
rm -f "$marker"
e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "Запуск")
e2e_key "$window" shift+Return
wait_for_marker
sleep 1  # time enough to close, if it were going to
assert_running "the program after Shift+Enter"
assert_eq "$window" "$(e2e_find_windows "Запуск")" "the menu window after Shift+Enter"
e2e_screenshot after-shift-enter "$window"

# Esc ends it.
e2e_key "$window" Escape
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Esc"
assert_eq "" "$(e2e_find_windows "Запуск")" "menu windows left after Esc"
