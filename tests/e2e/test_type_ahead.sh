#!/usr/bin/env bash
# Typing in the menu window finds an item by a word of its title, Cyrillic through the keyboard
# of Unicode keystrokes and Latin through X key presses, as the real message loop delivers them.
source "$(dirname "$0")/lib/harness.sh"

menu=$E2E_WORK/Поиск.Larkspur
{
    printf '\xef\xbb\xbf[Options]\r\nTitle=Поиск\r\n'
    printf '[Item 0]\r\nTitle=Блокнот\r\nFileName=notepad.exe\r\n'
    printf '[Item 1]\r\nTitle=Командная строка\r\nFileName=cmd.exe\r\n'
    printf '[Item 2]\r\nTitle=Папка Windows\r\nFileName=explorer.exe\r\n'
} >"$menu"

selected() { e2e_window_info "Поиск" | e2e_records item selected=1 | e2e_field index; }

e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "Поиск")
e2e_type "$window" "стр"
assert_shows 1 "the row found by \"стр\"" selected
sleep 1.5  # a pause starts a new search
e2e_type "$window" "win"
assert_shows 2 "the row found by \"win\"" selected
e2e_screenshot found "$window"
e2e_key "$window" Escape
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Esc"
