#!/usr/bin/env bash
# Each row shows the icon of what its item starts: a program found by name, a folder, a program
# given with a variable, each a picture other than the plain document icon that a target that
# cannot be found shows. An item on a network share whose server never answers leaves only its
# own row without an icon, and neither starting an item nor Esc waits for it. The value
# Options\Icons = 0 turns the icons off.
source "$(dirname "$0")/lib/harness.sh"

e2e_unreachable_server fileserver
menu=$E2E_WORK/icons.Larkspur
title="Значки"
{
    printf '[Options]\r\nTitle=%s\r\n' "$title"
    # First, so that the selected row, drawn on another background, is the one without an icon.
    printf '[Item 0]\r\nTitle=На сервере\r\nFileName=\\\\fileserver\\tools\\app.exe\r\n'
    printf '[Item 1]\r\nTitle=Блокнот\r\nFileName=notepad.exe\r\n'
    printf '[Item 2]\r\nTitle=Папка Windows\r\nFileName=C:\\windows\r\n'
    printf '[Item 3]\r\nTitle=Командная строка\r\nFileName=%%SystemRoot%%\\system32\\cmd.exe\r\n'
    printf 'Parameters=/c echo started> started.txt\r\n'
    printf '[Item 4]\r\nTitle=Нет такого\r\nFileName=nothing-here.exe\r\n'
} >"$menu"

e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "$title")
assert_shows "0 1 1 1 D" "the rows' icons: the server's row waits, the rest differ from the document icon" \
    e2e_icon_rows "$title" 5 4
e2e_waits_on_unreachable || e2e_fail "no thread of the program waits on the unreachable server"
e2e_ok "the icon of the server's item waits on the server"
assert_eq 18 "$(e2e_window_info "$title" | e2e_records control class=ListBox | e2e_field item_height)" \
    "row height: the 16-pixel icon and a pixel above and below"
e2e_screenshot icons "$window"

# Starting an item does not wait for the icon that waits on the server: the item runs and the
# window closes.
e2e_key "$window" Down Down Down Return
e2e_wait_exit 5
assert_eq 0 "$E2E_EXIT_CODE" "exit code after starting an item"
for ((tries = 0; tries < 50; tries++)); do
    [ -f "$E2E_WORK/started.txt" ] && break
    sleep 0.1
done
assert_file_exists "$E2E_WORK/started.txt" "the file the started item wrote"

# Nor does closing.
e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "$title")
assert_shows "0 1 1 1 D" "the rows' icons, again" e2e_icon_rows "$title" 5 4
e2e_waits_on_unreachable || e2e_fail "no thread of the program waits on the unreachable server"
e2e_key "$window" Escape
e2e_wait_exit 5
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Esc"

# Turned off: no icons, and the rows are the font's height again.
wine64 reg add 'HKCU\Software\Brindle\ShowLarkspur\Options' /v Icons /d 0 /f >/dev/null 2>&1 ||
    e2e_fail "could not turn the icons off"
e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "$title")
sleep 0.5
assert_eq "$(e2e_probe font Tahoma 12 | e2e_field height)" \
    "$(e2e_window_info "$title" | e2e_records control class=ListBox | e2e_field item_height)" \
    "row height without icons: the font's"
e2e_screenshot icons-off "$window"
e2e_waits_on_unreachable && e2e_fail "the server was asked although icons are off"
e2e_key "$window" Escape
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Esc"
