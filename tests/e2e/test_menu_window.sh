#!/usr/bin/env bash
# A menu file opens as a window captioned with the menu's title, one list row per item in menu
# order with the first row selected; a menu without items shows an empty list.
source "$(dirname "$0")/lib/harness.sh"

# A menu as people write them: UTF-8 with a BOM, CRLF, Cyrillic titles, an item section with
# blanks around the title.
menu=$E2E_WORK/Пример.Larkspur
{
    printf '\xef\xbb\xbf[Options]\r\nTitle=Пример меню\r\n\r\n'
    printf '[Item 0]\r\nTitle=Блокнот\r\nFileName=notepad.exe\r\nShowCommand=SW_SHOWNORMAL\r\n\r\n'
    printf '[Item 1]\r\nTitle = Командная строка \r\nFileName=cmd.exe\r\nParameters=/k echo 1\r\n\r\n'
    printf '[Item 2]\r\nTitle=Папка Windows\r\nFileName=explorer.exe\r\nParameters="C:\\windows"\r\n'
} >"$menu"

# Icons off: with them, the shell is loaded for the icons once the window has shown.
wine64 reg add 'HKCU\Software\Brindle\ShowLarkspur\Options' /v Icons /d 0 /f >/dev/null 2>&1 ||
    e2e_fail "could not turn the icons off"
e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "Пример меню")
sleep 0.5  # let it paint
e2e_screenshot menu-window "$window"

info=$(e2e_window_info "Пример меню")
assert_eq "ShowLarkspur.Form" "$(grep '^window' <<<"$info" | e2e_field class)" "the window's class"
assert_eq $'Блокнот\nКомандная строка\nПапка Windows' "$(e2e_list_rows "Пример меню")" \
    "the list's rows"
assert_eq 0 "$(e2e_records item selected=1 <<<"$info" | e2e_field index)" "the selected row"
assert_eq ListBox "$(e2e_records control focused=1 <<<"$info" | e2e_field class)" \
    "the control with the focus"
# The shell and the common dialogs are loaded on first use, not for the menu window. (COM is
# not checked: Wine loads it into every process once its first window is shown.)
late=$(e2e_probe modules "Пример меню" | e2e_field name | grep -ixE 'shell32.dll|comdlg32.dll')
assert_eq "" "$late" "shell and dialog DLLs loaded while the menu shows"

e2e_key "$window" Escape
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Esc"

# No items: the caption is still the title, the list is empty and nothing is selected.
empty=$E2E_WORK/Пусто.Larkspur
printf '[Options]\r\nTitle=Пустое меню\r\n' >"$empty"
e2e_start "$(e2e_winpath "$empty")"
window=$(e2e_wait_window "Пустое меню")
info=$(e2e_window_info "Пустое меню")
assert_eq 1 "$(e2e_records control class=ListBox <<<"$info" | wc -l)" "list boxes in the window"
assert_eq 0 "$(e2e_records item <<<"$info" | wc -l)" "rows of the empty menu"
e2e_screenshot empty-menu "$window"
e2e_key "$window" Escape
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Esc"
