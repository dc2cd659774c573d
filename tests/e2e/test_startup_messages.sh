#!/usr/bin/env bash
# Start-up without a menu: a missing file is reported with its trimmed name and the program ends
# once the message is answered; no argument shows the usage text, and Cancel ends the program.
source "$(dirname "$0")/lib/harness.sh"

caption="Brindle - Show larkspur"

# The text of a message box: its one static control with text.
message_text() {
    e2e_window_info "$caption" | e2e_records control class=Static | e2e_field text | grep -v '^$'
}

# A relative name with blanks around it, started from the work folder: the message shows the
# name trimmed, not made into a full path.
cd "$E2E_WORK" || e2e_fail "no work folder"
e2e_start "  нет такого меню.Larkspur  "
box=$(e2e_wait_window "$caption")
e2e_screenshot file-not-found "$box"
assert_eq $'нет такого меню.Larkspur\r\n\r\nФайл не найден.' "$(message_text)" \
    "the not-found message"
assert_eq "ОК" "$(e2e_window_info "$caption" | e2e_records control class=Button | e2e_field text)" \
    "the message's only button"
assert_running "the program while the message is shown"
e2e_key "$box" Return
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after the message"
assert_eq "" "$(e2e_find_windows "[Безымянный]")" "menu windows after the message"

# No argument: the usage text, with OK and Cancel.
e2e_start
box=$(e2e_wait_window "$caption")
e2e_screenshot usage "$box"
usage=$(message_text)
assert_contains "$usage" $'Brindle - Show larkspur 3.02.0046\r\n' "the version line"
assert_contains "$usage" $'\r\n\r\nИспользование:\r\n\r\n' "the usage heading"
assert_contains "$usage" "ShowLarkspur[.EXE] FileName" "the command line"
assert_contains "$usage" $'\r\n\r\nСоздать новый файл?' "the question"
buttons=$(e2e_window_info "$caption" | e2e_records control class=Button | e2e_field text)
assert_eq $'ОК\nОтмена' "$buttons" "the usage text's buttons"
e2e_key "$box" Tab Return  # from OK to Cancel, and press it
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Cancel"
assert_eq "" "$(e2e_find_windows "[Безымянный]")" "menu windows after Cancel"
