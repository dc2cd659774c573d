#!/usr/bin/env bash
# Editing a menu from the keyboard: F4 opens the menu editor, Ctrl+A the command editor for a
# new item, whose fields are typed in with Tab between them; Enter confirms it, Ctrl+Up moves
# the new item up one place, Enter saves. The file then holds exactly the menu as edited and the
# menu window shows it. The screenshots of the three windows go to docs/screenshots/ as well.
source "$(dirname "$0")/lib/harness.sh"

menu=$E2E_WORK/tools.Larkspur
printf '[Options]\r\nTitle=Инструменты\r\n\r\n[Item 0]\r\nTitle=Блокнот\r\nFileName=notepad.exe\r\nShowCommand=SW_SHOWMAXIMIZED\r\n\r\n[Item 1]\r\nTitle=Командная строка\r\nFileName=cmd.exe\r\nParameters=/k\r\nDirectory=C:\\\r\n' >"$menu"
menu_caption="Инструменты"
editor_caption="tools.Larkspur - Редактор команд"
command_caption="Команда"

# What the windows show, each as one line of text.
focused_class() { e2e_window_info "$1" | e2e_records control focused=1 | e2e_field class; }
selected_row() { e2e_window_info "$1" | e2e_records item selected=1 | e2e_field index; }
selected_text() { e2e_window_info "$1" | e2e_records item selected=1 | e2e_field text; }
# The texts of the command editor's text boxes, in tab order, joined by "|".
box_texts() {
    e2e_window_info "$command_caption" | e2e_records control class=Edit | e2e_field text |
        paste -sd '|'
}
# The number (from 1) of the command editor's text box that has the focus.
focused_box() {
    e2e_window_info "$command_caption" | e2e_records control class=Edit | e2e_field focused |
        grep -n '^1$' | cut -d: -f1
}

# The prefix lacks the ".exe" class that Windows has, without which the shell gives programs a
# plain document icon: the screenshots show the programs' own icons.
wine64 reg add 'HKCR\.exe' /ve /d exefile /f >/dev/null 2>&1 || e2e_fail "could not register .exe"
e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "$menu_caption")
sleep 1  # let it paint, icons included
e2e_screenshot menu-window "$window"

# F4: the menu editor, on the menu's items, the list focused with row 0 selected.
e2e_key "$window" F4
editor=$(e2e_wait_window "$editor_caption")
assert_eq $'Блокнот\nКомандная строка' "$(e2e_list_rows "$editor_caption")" "the editor's rows"
assert_eq ListBox "$(focused_class "$editor_caption")" "the editor's focused control"
assert_eq "Инструменты" \
    "$(e2e_window_info "$editor_caption" | e2e_records control class=Edit | e2e_field text)" \
    "the editor's title field"
sleep 1
e2e_screenshot menu-editor "$editor"

# Ctrl+A: a new item in the command editor, with the defaults of a new item.
e2e_key "$editor" ctrl+a
dialog=$(e2e_wait_window "$command_caption")
assert_eq "||open||" "$(box_texts)" "the new item's fields"
assert_eq SW_SHOWDEFAULT "$(selected_text "$command_caption")" "the new item's window style"
assert_eq 1 "$(focused_box)" "the text box with the focus: the title"

# The fields, in tab order: each text box but the last is followed by its history button, and
# the file name, parameters and directory by a browse button too.
e2e_type "$dialog" "Проверка связи"
e2e_key "$dialog" Tab Tab
assert_shows 2 "the text box with the focus: the file name" focused_box
e2e_type "$dialog" "cmd.exe"
e2e_key "$dialog" Tab Tab Tab
assert_shows 3 "the text box with the focus: the operation" focused_box
e2e_type "$dialog" "open"  # the field's text is selected on entry: typing replaces it
e2e_key "$dialog" Tab Tab
assert_shows 4 "the text box with the focus: the parameters" focused_box
e2e_type "$dialog" '/c echo "ok"> marker.txt'
e2e_key "$dialog" Tab Tab Tab
assert_shows 5 "the text box with the focus: the directory" focused_box
e2e_type "$dialog" 'C:\e2e'
e2e_key "$dialog" Tab Tab Tab
assert_shows ComboBox "the focus on the window style" focused_class "$command_caption"
e2e_key "$dialog" Home Down  # SW_HIDE, then SW_SHOWNORMAL
assert_shows SW_SHOWNORMAL "the chosen window style" selected_text "$command_caption"
assert_shows 'Проверка связи|cmd.exe|open|/c echo "ok"> marker.txt|C:\e2e' "the fields as typed" \
    box_texts
sleep 0.3
e2e_screenshot command-editor "$dialog"

# Enter: OK. The new item is appended and selected.
e2e_key "$dialog" Return
e2e_wait_no_window "$command_caption" 10
assert_shows $'Блокнот\nКомандная строка\nПроверка связи' "the editor's rows after OK" \
    e2e_list_rows "$editor_caption"
assert_eq 2 "$(selected_row "$editor_caption")" "the selected row after OK"

# Ctrl+Up: the new item moves up one place and stays selected.
e2e_key "$editor" ctrl+Up
assert_shows $'Блокнот\nПроверка связи\nКомандная строка' "the editor's rows after Ctrl+Up" \
    e2e_list_rows "$editor_caption"
assert_eq 1 "$(selected_row "$editor_caption")" "the selected row after Ctrl+Up"

# Enter: Save. The editor closes and the menu window shows the saved menu.
e2e_key "$editor" Return
e2e_wait_no_window "$editor_caption" 10
assert_shows $'Блокнот\nПроверка связи\nКомандная строка' "the menu window's rows after saving" \
    e2e_list_rows "$menu_caption"
assert_eq 0 "$(selected_row "$menu_caption")" "the menu window's selected row after saving"

# The file: every section and key, in order (text decoded; line ends and blank lines aside).
# The parameters begin with no quote, so they are written as typed.
case "$(head -c 2 "$menu" | od -An -tx1 | tr -d ' ')" in
    fffe) saved=$(iconv -f UTF-16 -t UTF-8 "$menu") ;;
    *) saved=$(sed '1s/^\xef\xbb\xbf//' "$menu") ;;
esac
saved=$(tr -d '\r' <<<"$saved" | grep -v '^$')
expected='[Options]
Title=Инструменты
[Item 0]
Title=Блокнот
FileName=notepad.exe
Operation=open
Parameters=
Directory=
ShowCommand=SW_SHOWMAXIMIZED
[Item 1]
Title=Проверка связи
FileName=cmd.exe
Operation=open
Parameters=/c echo "ok"> marker.txt
Directory=C:\e2e
ShowCommand=SW_SHOWNORMAL
[Item 2]
Title=Командная строка
FileName=cmd.exe
Operation=open
Parameters=/k
Directory=C:\
ShowCommand=SW_SHOWDEFAULT'
assert_eq "$expected" "$saved" "the saved menu file"

sleep 0.3
e2e_screenshot menu-window-saved "$window"
e2e_key "$window" Escape
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Esc"

# Without the time stamps ImageMagick writes, the same picture gives the same file.
mkdir -p "$LARKSPUR_ROOT/docs/screenshots"
for name in menu-window menu-editor command-editor; do
    convert "$E2E_ARTIFACTS/$name.png" -strip -define png:exclude-chunks=date,time \
        "$LARKSPUR_ROOT/docs/screenshots/$name.png" || e2e_fail "could not copy $name.png to docs"
done
