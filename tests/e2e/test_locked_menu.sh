#!/usr/bin/env bash
# A menu file that another program holds locked is said to be unreadable, no menu window opens
# and the file is left as it was; once the lock is gone the same file opens as usual.
source "$(dirname "$0")/lib/harness.sh"

caption="Brindle - Show larkspur"
menu=$E2E_WORK/locked.Larkspur
printf '[Options]\r\nTitle=Заперто\r\n\r\n[Item 0]\r\nTitle=Один\r\nFileName=cmd.exe\r\n' >"$menu"
cp "$menu" "$E2E_WORK/before.Larkspur"

# The probe holds the file with no sharing until it is ended (60 s at most); started directly, so
# that its process is the one to end.
wine64 "$E2E_PROBE" lock "$(e2e_winpath "$menu")" 60 >"$E2E_WORK/lock.log" 2>&1 &
locker=$!
deadline=$((SECONDS + 30))
until grep -qs '^locked' "$E2E_WORK/lock.log"; do
    [ "$SECONDS" -lt "$deadline" ] || e2e_fail "the probe did not lock $menu"
    sleep 0.2
done

e2e_start "$(e2e_winpath "$menu")"
box=$(e2e_wait_window "$caption")
e2e_screenshot locked "$box"
text=$(e2e_window_info "$caption" | e2e_records control class=Static | e2e_field text | grep -v '^$')
assert_contains "$text" "$(e2e_winpath "$menu")"$'\r\n\r\nНе удалось прочитать файл меню.\r\n\r\n' \
    "the file name and the sentence"
assert_ne "" "${text##*$'\r\n\r\n'}" "the system's reason after them"
e2e_key "$box" Return
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after the message"
assert_eq "" "$(e2e_find_windows "Заперто")" "menu windows after the message"

kill "$locker"
wait "$locker" 2>/dev/null
cmp -s "$menu" "$E2E_WORK/before.Larkspur" || e2e_fail "the locked menu file was changed"
say "ok the menu file is byte for byte as it was"

e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "Заперто")
assert_eq "Один" "$(e2e_list_rows "Заперто")" "the rows once the lock is gone"
e2e_key "$window" Escape
e2e_wait_exit 20
