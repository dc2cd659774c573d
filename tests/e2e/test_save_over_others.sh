#!/usr/bin/env bash
# Saving never goes over what was not read. Another program adds an item while the menu is
# open: F4 and Enter ask, and No (Enter, the default) leaves the file byte for byte and the
# editor open. A text document opened as a menu survives F4 and Enter the same way. A menu
# opened through a symbolic link is saved into the file the link points to, and the link stays.
source "$(dirname "$0")/lib/harness.sh"

caption="Brindle - Show larkspur"

# The text of the message box that is showing.
box_text() {
    e2e_window_info "$caption" | e2e_records control class=Static | e2e_field text | grep -v '^$'
}

# Enter in the menu editor asks; Enter again answers No. The editor stays, the file as it was.
save_answering_no() {
    local editor=$1 file=$2 sentence=$3 before=$4 box
    # editor_caption: the caption of that editor
    e2e_key "$editor" Return
    box=$(e2e_wait_window "$caption")
    e2e_screenshot "question-$(basename "$file")" "$box"
    assert_contains "$(box_text)" "$(e2e_winpath "$file")"$'\r\n\r\n'"$sentence" "the question"
    e2e_key "$box" Return
    e2e_wait_no_window "$caption" 10
    assert_ne "" "$(e2e_find_windows "$editor_caption")" "the editor, still open"
    cmp -s "$file" "$before" || e2e_fail "the file was changed after No"
    say "ok $(basename "$file") is byte for byte as it was"
}

# --- Another program adds an item while the menu window is open ------------------------------------
menu=$E2E_WORK/shared.Larkspur
printf '[Options]\r\nTitle=Общее\r\n\r\n[Item 0]\r\nTitle=Моё\r\nFileName=cmd.exe\r\n' >"$menu"
e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "Общее")
printf '\r\n[Item 1]\r\nTitle=Чужое\r\nFileName=notepad.exe\r\n' >>"$menu"
cp "$menu" "$E2E_WORK/shared.after"

e2e_key "$window" F4
editor_caption="shared.Larkspur - Редактор команд"
editor=$(e2e_wait_window "$editor_caption")
save_answering_no "$editor" "$menu" \
    "Файл меню изменён другой программой после того, как был открыт. Сохранить меню поверх этих изменений?" \
    "$E2E_WORK/shared.after"
e2e_key "$editor" Escape
e2e_wait_no_window "$editor_caption" 10
e2e_key "$window" Escape
e2e_wait_exit 20

# --- A text document opened as a menu ------------------------------------------------------------
notes=$E2E_WORK/notes.txt
printf 'Купить молоко.\r\nПозвонить = завтра\r\n' >"$notes"
cp "$notes" "$E2E_WORK/notes.before"
e2e_start "$(e2e_winpath "$notes")"
# An empty, untitled menu: its window has no caption to wait for, but it has the focus.
editor_caption="notes.txt - Редактор команд"
deadline=$((SECONDS + 30))
until [ -n "$(e2e_find_windows "$editor_caption")" ]; do
    [ "$SECONDS" -lt "$deadline" ] || e2e_fail "no menu editor after F4 on the document"
    sleep 1
    e2e_key_focused F4
done
editor=$(e2e_wait_window "$editor_caption")
save_answering_no "$editor" "$notes" \
    "Этот файл не похож на файл меню. Сохранить меню поверх него?" "$E2E_WORK/notes.before"
e2e_key "$editor" Escape
e2e_wait_no_window "$editor_caption" 10
e2e_key_focused Escape
e2e_wait_exit 20

# --- Through a symbolic link ---------------------------------------------------------------------------
mkdir -p "$E2E_WORK/real"
real=$E2E_WORK/real/menu.Larkspur
printf '[Options]\r\nTitle=Ссылка\r\n' >"$real"
ln -s real/menu.Larkspur "$E2E_WORK/link.Larkspur"
e2e_start "$(e2e_winpath "$E2E_WORK/link.Larkspur")"
window=$(e2e_wait_window "Ссылка")
e2e_key "$window" F4
editor_caption="link.Larkspur - Редактор команд"
editor=$(e2e_wait_window "$editor_caption")
e2e_type "$editor" "Saved"  # the title field has the focus, its text selected
e2e_key "$editor" Return
e2e_wait_no_window "$editor_caption" 10
assert_shows "Saved" "the menu window's caption" xdotool getwindowname "$window"
e2e_key "$window" Escape
e2e_wait_exit 20
[ -L "$E2E_WORK/link.Larkspur" ] || e2e_fail "the link was replaced by a plain file"
assert_eq "real/menu.Larkspur" "$(readlink "$E2E_WORK/link.Larkspur")" "where the link points"
assert_eq $'[Options]\r\nTitle=Saved\r' "$(cat "$real")" "the file the link points to"
assert_eq "menu.Larkspur" "$(ls "$E2E_WORK/real")" "the real folder: the menu alone"
