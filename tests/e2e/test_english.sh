#!/usr/bin/env bash
# On an English Windows the program speaks English: the usage box, the untitled menu window and
# its editor, a missing file, a menu whose own titles are Russian (shown as they are), the about
# box, the open dialog, the menu editor, the command editor with its refusal and its folder
# browser, the question before a save over a changed file, and the English read-me on F1. No
# caption, label, button, tool tip or message of the program has a Cyrillic letter. The string
# value Language overrides Windows both ways. The English windows' screenshots go to
# docs/screenshots/ beside the Russian ones.
E2E_LOCALE=en_US.UTF-8
source "$(dirname "$0")/lib/harness.sh"

app_title="Brindle - Show larkspur"
menu=$E2E_WORK/tools.Larkspur
menu_caption="Инструменты"
editor_caption="tools.Larkspur - Menu editor"
command_caption="Command"
options='HKCU\Software\Brindle\ShowLarkspur\Options'

# Fails when a text of the window's own has a Cyrillic letter: its caption (unless told that it
# is the menu's), labels, buttons, drop-down rows and tool tips. Text boxes and list rows hold the
# user's menu.
assert_english() {
    local title=$1 what=$2 caption=${3:-own} texts
    texts=$(
        [ "$caption" = own ] && printf '%s\n' "$title"
        e2e_window_info "$title" | grep -vP '^control\t.*\tclass=(Edit|ListBox)\t' |
            e2e_records control | e2e_field text
        e2e_probe tips "$title" | e2e_records tip | e2e_field text
    )
    if LC_ALL=C.UTF-8 grep -qP '[\x{0400}-\x{052F}]' <<<"$texts"; then
        e2e_fail "$what shows Cyrillic: $(LC_ALL=C.UTF-8 grep -P '[\x{0400}-\x{052F}]' <<<"$texts")"
    fi
    e2e_ok "$what: no Cyrillic letter in $(wc -l <<<"$texts") texts"
}
# The longest text of a message box: its message (each record is one line, its text escaped).
message_of() {
    e2e_window_info "$1" | e2e_records control class=Static |
        awk '{ if (length > length(m)) m = $0 } END { print m }' | e2e_field text
}
# The title of the dialog box in front (the system's own dialogs are titled by Wine).
front_dialog() {
    e2e_probe windows | e2e_records window class='#32770' foreground=1 | e2e_field title
}
wait_front_dialog() {
    local tries title
    for ((tries = 0; tries < 100; tries++)); do
        title=$(front_dialog)
        [ -n "$title" ] && [ "$title" != "${1:-}" ] && { printf '%s\n' "$title"; return 0; }
        sleep 0.1
    done
    e2e_fail "no dialog came to the front"
}

assert_eq 0x0409 "$(e2e_probe uilanguage | e2e_field ui)" "Windows' display language"

# --- No file: the usage box, then the untitled menu window under its editor --------------------
e2e_start
box=$(e2e_wait_window "$app_title")
assert_contains "$(message_of "$app_title")" "Usage:" "the usage box"
assert_contains "$(message_of "$app_title")" "ShowLarkspur[.EXE] FileName" "the usage box"
assert_english "$app_title" "the usage box"
e2e_screenshot usage "$box"
e2e_key "$box" Return
editor=$(e2e_wait_window "Untitled - Menu editor")
e2e_wait_window "[Untitled]" 5 >/dev/null
assert_english "Untitled - Menu editor" "the untitled menu editor"
e2e_key "$editor" Escape
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after closing the untitled editor"

# --- A missing file ------------------------------------------------------------------------------
e2e_start 'C:\e2e\missing.Larkspur'
box=$(e2e_wait_window "$app_title")
assert_eq $'C:\\e2e\\missing.Larkspur\r\n\r\nFile not found.' "$(message_of "$app_title")" \
    "the missing file's message"
assert_english "$app_title" "the missing file's message"
e2e_key "$box" Return
e2e_wait_exit 20

# --- A menu with Russian titles, in UTF-8 --------------------------------------------------------
printf '[Options]\r\nTitle=Инструменты\r\n\r\n[Item 0]\r\nTitle=Блокнот\r\nFileName=notepad.exe\r\nShowCommand=SW_SHOWMAXIMIZED\r\n\r\n[Item 1]\r\nTitle=Командная строка\r\nFileName=cmd.exe\r\nParameters=/k\r\nDirectory=C:\\\r\n' >"$menu"
# The prefix lacks the ".exe" and ".txt" classes that Windows has: programs would get a plain
# document icon, and the read-me no program to open it.
for class in .exe:exefile .txt:txtfile; do
    wine64 reg add "HKCR\\${class%%:*}" /ve /d "${class#*:}" /f >/dev/null 2>&1 ||
        e2e_fail "could not register ${class%%:*}"
done
e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "$menu_caption")
assert_eq $'Блокнот\nКомандная строка' "$(e2e_list_rows "$menu_caption")" "the Russian titles"
assert_english "$menu_caption" "the menu window" menu
sleep 1
e2e_screenshot menu-window-en "$window"

e2e_key "$window" shift+F1
box=$(e2e_wait_window "$app_title")
assert_contains "$(message_of "$app_title")" "Dedicated to everyone who loves larkspur." \
    "the about box"
assert_english "$app_title" "the about box"
e2e_key "$box" Return
e2e_wait_no_window "$app_title" 10

e2e_key "$window" F3
dialog=$(wait_front_dialog)
assert_contains "$(e2e_window_info "$dialog" | e2e_records item | e2e_field text)" \
    "Larkspur files" "the open dialog's filter"
assert_english "$dialog" "the open dialog"
e2e_key_focused Escape
e2e_wait_no_window "$dialog" 10

# --- The menu editor and the command editor ------------------------------------------------------
e2e_key "$window" F4
editor=$(e2e_wait_window "$editor_caption")
assert_contains "$(e2e_window_info "$editor_caption" | e2e_records control class=Button |
    e2e_field text)" "Save" "the editor's buttons"
assert_contains "$(e2e_probe tips "$editor_caption" | e2e_field text)" " Add a command (Ctrl+A) " \
    "the editor's tool tips"
assert_english "$editor_caption" "the menu editor"
sleep 1
e2e_screenshot menu-editor-en "$editor"

e2e_key "$editor" ctrl+a
dialog=$(e2e_wait_window "$command_caption")
assert_english "$command_caption" "the command editor"
e2e_key "$dialog" Return  # OK with no title: refused
box=$(e2e_wait_window "$app_title")
assert_eq "The title must not be empty!" "$(message_of "$app_title")" "the refusal"
assert_english "$app_title" "the refusal"
e2e_key "$box" Return
e2e_wait_no_window "$app_title" 10

e2e_type "$dialog" "Ping"  # the refusal left the focus on the title
e2e_key "$dialog" Tab Tab
e2e_type "$dialog" "cmd.exe"
sleep 0.3
e2e_screenshot command-editor-en "$dialog"

# The directory's browse button: from the file name, ten fields and buttons on.
e2e_key "$dialog" Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab space
browser=$(wait_front_dialog "$command_caption")
assert_contains "$(e2e_window_info "$browser" | e2e_records control | e2e_field text)" \
    "Choose the folder the command starts in by default." "the folder browser's prompt"
assert_english "$browser" "the folder browser"
e2e_key_focused Escape
e2e_wait_no_window "$browser" 10
e2e_key "$dialog" Escape
e2e_wait_no_window "$command_caption" 10

# Another program changes the file: the save asks first; No, the default, keeps both.
printf '; changed\r\n' >>"$menu"
e2e_key "$editor" Return
box=$(e2e_wait_window "$app_title")
question="Another program has changed the menu file since it was opened."
question+=" Save the menu over those changes?"
assert_eq "$(e2e_winpath "$menu")"$'\r\n\r\n'"$question" "$(message_of "$app_title")" \
    "the question before the save"
assert_english "$app_title" "the question before the save"
e2e_key "$box" Return
e2e_wait_no_window "$app_title" 10
e2e_key "$editor" Escape
e2e_wait_no_window "$editor_caption" 10

# F1: the English read-me.
e2e_key "$window" F1
e2e_wait_window "ReadMe.en.TXT - Notepad" >/dev/null
e2e_probe close "ReadMe.en.TXT - Notepad"
e2e_key "$window" Escape
e2e_wait_exit 20
assert_eq 0 "$E2E_EXIT_CODE" "exit code after Esc"

# --- The setting overrides Windows: Russian here, English on a Russian Windows -------------------
wine64 reg add "$options" /v Language /d ru /f >/dev/null 2>&1 || e2e_fail "could not set Language"
e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "$menu_caption")
e2e_key "$window" F4
editor=$(e2e_wait_window "tools.Larkspur - Редактор команд")
e2e_key "$editor" Escape
e2e_key "$window" Escape
e2e_wait_exit 20

wine64 reg add "$options" /v Language /d en /f >/dev/null 2>&1 || e2e_fail "could not set Language"
ensure_locale ru_RU.UTF-8 || e2e_fail "the ru_RU.UTF-8 locale is missing and could not be built"
assert_eq 0x0419 "$(LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 e2e_probe uilanguage | e2e_field ui)" \
    "the display language of a Russian Windows"
LANG=ru_RU.UTF-8 LC_ALL=ru_RU.UTF-8 e2e_start "$(e2e_winpath "$menu")"
window=$(e2e_wait_window "$menu_caption")
e2e_key "$window" F4
editor=$(e2e_wait_window "$editor_caption")
assert_english "$editor_caption" "the menu editor on a Russian Windows with Language=en"
e2e_key "$editor" Escape
e2e_key "$window" Escape
e2e_wait_exit 20

# Without the time stamps ImageMagick writes, the same picture gives the same file.
mkdir -p "$LARKSPUR_ROOT/docs/screenshots"
for name in menu-window-en menu-editor-en command-editor-en; do
    convert "$E2E_ARTIFACTS/$name.png" -strip -define png:exclude-chunks=date,time \
        "$LARKSPUR_ROOT/docs/screenshots/$name.png" || e2e_fail "could not copy $name.png to docs"
done
