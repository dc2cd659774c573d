#!/usr/bin/env bash
# A new menu: started without a file, OK to the usage text opens the untitled menu window with
# the menu editor over it at once; a two-item menu built there and saved (the save dialog asks
# for the name, the extension is added) is shown, and opens again from its file.
source "$(dirname "$0")/lib/harness.sh"

untitled="[Безымянный]"
editor_caption="Untitled - Редактор команд"
command_caption="Команда"
file="$E2E_WORK/Новое меню.Larkspur"

enabled() { e2e_window_info "$1" | e2e_records window | e2e_field enabled; }
focused_class() { e2e_window_info "$1" | e2e_records control focused=1 | e2e_field class; }

# Ctrl+A in the menu editor, then the new item's title and file name, and OK.
add_item() {
    local title=$1 program=$2 dialog
    e2e_key "$editor" ctrl+a
    dialog=$(e2e_wait_window "$command_caption")
    e2e_type "$dialog" "$title"
    e2e_key "$dialog" Tab Tab  # past the title's history button
    e2e_type "$dialog" "$program"
    e2e_key "$dialog" Return
    e2e_wait_no_window "$command_caption" 10
}

e2e_start
box=$(e2e_wait_window "Brindle - Show larkspur")
e2e_key "$box" Return  # OK: create a new file

editor=$(e2e_wait_window "$editor_caption")
window=$(e2e_wait_window "$untitled" 5)
assert_eq 0 "$(enabled "$untitled")" "the untitled window, disabled under the modal editor"
assert_eq 0 "$(e2e_window_info "$editor_caption" | e2e_records item | wc -l)" "the editor's rows"
assert_eq Edit "$(focused_class "$editor_caption")" "the focus on the menu title"
e2e_screenshot untitled-with-editor

e2e_type "$editor" "Новое меню"
add_item "Первый" "notepad.exe"
add_item "Второй" "cmd.exe"
assert_shows $'Первый\nВторой' "the editor's rows" e2e_list_rows "$editor_caption"
e2e_screenshot editor-with-items "$editor"

# Save: the menu has no file yet, so the save dialog asks for one; a name without extension
# gets ".Larkspur".
e2e_key "$editor" Return
dialog=$(e2e_wait_window "Сохранить как")
e2e_type "$dialog" "$(e2e_winpath "$E2E_WORK")\\Новое меню"
e2e_screenshot save-dialog "$dialog"
e2e_key "$dialog" Return
e2e_wait_no_window "$editor_caption" 10
# Wine's dialog adds the extension in the letter case of its filter, lowered ("larkspur");
# Windows adds the default extension as given. Either names the same file for Windows.
file=$(find "$E2E_WORK" -maxdepth 1 -iname "$(basename "$file")")
[ -n "$file" ] || e2e_fail "no Новое меню.Larkspur in $E2E_WORK: $(ls "$E2E_WORK")"
e2e_ok "the menu saved as $(basename "$file")"

window=$(e2e_wait_window "Новое меню" 10)
assert_shows $'Первый\nВторой' "the menu window's rows after saving" e2e_list_rows "Новое меню"
assert_eq "" "$(e2e_find_windows "$untitled")" "windows still untitled"
e2e_screenshot saved-menu "$window"
e2e_key "$window" Escape
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Esc"

# The file holds the two items in order.
case "$(head -c 2 "$file" | od -An -tx1 | tr -d ' ')" in
    fffe) saved=$(iconv -f UTF-16 -t UTF-8 "$file") ;;
    *) saved=$(cat "$file") ;;
esac
assert_eq $'Title=Новое меню\nTitle=Первый\nFileName=notepad.exe\nTitle=Второй\nFileName=cmd.exe' \
    "$(tr -d '\r' <<<"$saved" | grep -E '^(Title|FileName)=')" "titles and file names in the file"

# Opened again from its file.
e2e_start "$(e2e_winpath "$file")"
window=$(e2e_wait_window "Новое меню")
assert_eq $'Первый\nВторой' "$(e2e_list_rows "Новое меню")" "the rows when opened again"
e2e_key "$window" Escape
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Esc"
