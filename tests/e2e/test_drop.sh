#!/usr/bin/env bash
# Dropping many files on the menu editor, as the shell drops them (WM_DROPFILES): 1000 files on a
# menu without items become items while the window keeps answering, and the time until they are in
# is printed (the median of three drops); a drop holding 30 damaged shortcuts ends with one
# message that names the first of them and how many more.
source "$(dirname "$0")/lib/harness.sh"

menu=$E2E_WORK/drop.Larkspur
printf '[Options]\r\nTitle=Сброс\r\n' >"$menu"
editor_caption="drop.Larkspur - Редактор команд"
message_caption="Brindle - Show larkspur"

# The files, and their lists for the probe (Windows paths, one a line).
mkdir -p "$E2E_WORK/many" "$E2E_WORK/damaged"
for i in $(seq -w 1 1000); do
    printf 'x' >"$E2E_WORK/many/Файл $i.txt"
    printf 'C:\\e2e\\many\\Файл %s.txt\r\n' "$i"
done >"$E2E_WORK/many.txt"
for i in $(seq -w 1 30); do
    printf 'no shortcut' >"$E2E_WORK/damaged/Ярлык $i.lnk"
    printf 'C:\\e2e\\damaged\\Ярлык %s.lnk\r\n' "$i"
done >"$E2E_WORK/damaged.txt"
printf 'x' >"$E2E_WORK/damaged/Отчёт.txt"
printf 'C:\\e2e\\damaged\\Отчёт.txt\r\n' >>"$E2E_WORK/damaged.txt"

e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "Сброс")

# Three times: F4, 1000 files dropped, the rows counted every 20 ms until all are in, Esc.
times=()
for round in 1 2 3; do
    e2e_key "$window" F4
    editor=$(e2e_wait_window "$editor_caption")
    record=$(e2e_probe drop "$editor_caption" 'C:\e2e\many.txt' 1000)
    printf '%s\n' "$record"
    assert_eq 1000 "$(e2e_field rows <<<"$record")" "the rows after 1000 files were dropped (drop $round)"
    assert_eq 0 "$(e2e_field message <<<"$record")" "no message after a drop that fits (drop $round)"
    longest=$(e2e_field longest_answer_ms <<<"$record")
    [ "$longest" -lt 1000 ] ||
        e2e_fail "the editor took $longest ms to answer while it read the drop (drop $round)"
    e2e_ok "the editor answered within $longest ms at most while it read the drop (drop $round)"
    times+=("$(e2e_field ms <<<"$record")")
    e2e_key "$editor" Escape
    e2e_wait_no_window "$editor_caption"
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)
printf 'figure: 1000 dropped files become items in %s ms (median of %s ms)\n' "$median" "${times[*]}"
[ "$median" -lt 8000 ] || e2e_fail "1000 dropped files took $median ms to become items"

# 30 damaged shortcuts and a document: the document becomes an item, and one message tells of
# the shortcuts.
e2e_key "$window" F4
editor=$(e2e_wait_window "$editor_caption")
record=$(e2e_probe drop "$editor_caption" 'C:\e2e\damaged.txt' 1000)
assert_eq 1 "$(e2e_field message <<<"$record")" "a message after the drop of damaged shortcuts"
text=$(e2e_window_info "$message_caption" | e2e_records control class=Static | e2e_field text)
assert_contains "$text" 'C:\e2e\damaged\Ярлык 01.lnk' "the message names the first shortcut"
assert_contains "$text" 'C:\e2e\damaged\Ярлык 05.lnk' "the message names the fifth shortcut"
assert_contains "$text" "и ещё 25." "the message says how many more"
assert_contains "$text" "Не удалось прочитать ярлык." "the message says why"
e2e_screenshot damaged-shortcuts
e2e_key_focused Return
e2e_wait_no_window "$message_caption" 10
sleep 2
assert_eq "" "$(e2e_find_windows "$message_caption")" "no second message"
assert_eq "Отчёт" "$(e2e_list_rows "$editor_caption")" "the editor's rows"
e2e_key "$editor" Escape
e2e_wait_no_window "$editor_caption"
e2e_key "$window" Escape
e2e_wait_exit 30
assert_eq 0 "$E2E_EXIT_CODE" "exit code"
