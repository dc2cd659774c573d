#!/usr/bin/env bash
# A file server that never answers holds a thread or two of the program, however often a list
# asks for the icons of its items: opening and closing the menu editor thirty times starts no
# more threads. It holds only its own icons: an item whose working folder is on that server is
# looked up there, not on the menu file's drive, and a PATH folder on it is not searched, so the
# rows of local items still get theirs.
# And while the lookups wait, nothing in the program wakes to look at them again and again.
source "$(dirname "$0")/lib/harness.sh"

e2e_unreachable_server fileserver
menu=$E2E_WORK/servers.Larkspur
title="Серверы"
editor_title="servers.Larkspur - Редактор команд"
rows=60
{
    printf '[Options]\r\nTitle=%s\r\n' "$title"
    printf '[Item 0]\r\nTitle=На сервере\r\nFileName=\\\\fileserver\\tools\\app.exe\r\n'
    printf '[Item 1]\r\nTitle=Из папки на сервере\r\nFileName=tool.exe\r\n'
    printf 'Directory=\\\\fileserver\\tools\r\n'
    for ((item = 2; item < rows; item++)); do
        printf '[Item %d]\r\nTitle=Программа %d\r\nFileName=missing %d.exe\r\n' "$item" "$item" "$item"
    done
} >"$menu"

# The local items are bare names found nowhere, searched for along PATH, whose first folder is
# on the server. Wine's desktop starts first, without that PATH, from a probe that holds a file
# and shows no window: Wine's own start would wait on the server for the libraries it looks for
# along PATH.
: >"$E2E_WORK/desktop"
e2e_probe lock "$(e2e_winpath "$E2E_WORK/desktop")" 300 &
e2e_wait_window "$LARKSPUR_DESKTOP_NAME - Wine desktop" >/dev/null
WINEPATH='\\fileserver\tools' e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "$title")
e2e_waits_on_unreachable || e2e_fail "no thread of the program waits on the unreachable server"

# Rows drawn now, long after the server's lookups turned slow: End shows the last page, whose
# icons had not been asked for.
sleep 1
e2e_key "$window" End
list=$(e2e_window_info "$title" | e2e_records control class=ListBox)
visible=$((($(e2e_field height <<<"$list") - 4) / $(e2e_field item_height <<<"$list")))
expected=$(printf '1 %.0s' $(seq "$visible"))
assert_shows "${expected% }" "the last page's icons, with the server's lookups stuck" \
    e2e_icon_rows "$title" "$visible"

# The times the program's threads were switched to, voluntarily or not, since they started.
switches() {
    local task total=0
    for task in $(e2e_program_tasks); do
        total=$((total + $(awk '/ctxt_switches/ { sum += $2 } END { print sum + 0 }' \
            "$task/status" 2>/dev/null || echo 0)))
    done
    printf '%d\n' "$total"
}
sleep 1
first=$(switches)
sleep 5
wakes=$(($(switches) - first))
say "the program's threads woke $wakes times in 5 s while the server's lookups waited"
[ "$wakes" -le 25 ] || e2e_fail "the program woke $wakes times in 5 s while its lookups waited"
e2e_ok "waiting lookups cost no wake-ups ($wakes in 5 s)"

# The first opening may start what the program keeps for good (the editor's window class, the
# system's thread pool): count from after it.
open_and_close_editor() {
    local editor
    e2e_key "$window" F4
    editor=$(e2e_wait_window "$editor_title" 10)
    e2e_key "$editor" Escape
    e2e_wait_no_window "$editor_title" 10
}
open_and_close_editor
read -r before waiting <<<"$(e2e_program_threads)"
say "after the first opening of the editor: $before threads, $waiting waiting on the server"
for ((opening = 2; opening <= 30; opening++)); do open_and_close_editor; done
read -r after waiting <<<"$(e2e_program_threads)"
say "after 30 openings: $after threads, $waiting waiting on the server"
# Two workers may take the server's jobs before the first of them has waited long enough to
# count as stuck.
[ "$waiting" -ge 1 ] && [ "$waiting" -le 2 ] ||
    e2e_fail "$waiting threads wait on the server, not one or two"
[ "$after" -le $((before + 1)) ] ||
    e2e_fail "30 openings of the editor left $after threads, $before after the first"
e2e_ok "30 openings of the editor start no more threads ($before, then $after)"

e2e_key "$window" Escape
e2e_wait_exit 10
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Esc"
