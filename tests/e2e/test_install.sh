#!/usr/bin/env bash
# The MSI of the x64 build (its package target): installed per user with no options, it puts the
# program, the read-me and the samples under %LOCALAPPDATA%\Programs, two Start menu shortcuts
# and the .Larkspur association; a menu file started through the shell shows its window, and
# Shift+F4 opens it in Notepad through the registered "edit" verb; uninstalling removes all of it
# but the user's menus and settings. With ALLUSERS=1 it goes under Program Files.
source "$(dirname "$0")/lib/harness.sh"

# Wine's menu builder would copy the Start menu shortcuts into this machine's desktop menus.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

# A variable of the package's CPack configuration.
package_setting() { sed -n "s/^set($1 \"\\(.*\\)\")\$/\\1/p" "$E2E_X64/CPackConfig.cmake"; }

cmake --build "$E2E_X64" --target package >"$E2E_ARTIFACTS/package.log" 2>&1 ||
    e2e_fail "the package target failed (see $E2E_ARTIFACTS/package.log)"
package=$(package_setting CPACK_PACKAGE_FILE_NAME)
cp "$E2E_X64/$package.msi" "$E2E_WORK/" || e2e_fail "no $package.msi beside the ZIP"
msi=$(e2e_winpath "$E2E_WORK/$package.msi")

# The next release of the same package, to upgrade to.
version=$(package_setting CPACK_LARKSPUR_MSI_VERSION)
cpack --config "$E2E_X64/CPackConfig.cmake" -G External -B "$E2E_STATE/newer" \
    -D CPACK_LARKSPUR_MSI_VERSION="${version%.*}.$((${version##*.} + 1))" \
    -D CPACK_PACKAGE_FILE_NAME=newer >"$E2E_ARTIFACTS/newer.log" 2>&1 &&
    cp "$E2E_STATE/newer/newer.msi" "$E2E_WORK/" ||
    e2e_fail "could not build the newer package (see $E2E_ARTIFACTS/newer.log)"
newer=$(e2e_winpath "$E2E_WORK/newer.msi")

# msiexec with the package and the given options; waits for it and checks its exit code.
msiexec_ok() {
    e2e_start_program msiexec "$@"
    e2e_wait_exit 120
    assert_eq 0 "$E2E_EXIT_CODE" "msiexec $*"
}

# An environment variable of the prefix's programs; a folder variable as a Unix path.
windows_variable() { wine64 cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
unix_folder() { wine64 winepath -u "$(windows_variable "$1")" 2>/dev/null; }

local_programs=$(unix_folder LOCALAPPDATA)/Programs
user_folder=$local_programs/ShowLarkspur
start_menu=$(unix_folder APPDATA)/Microsoft/Windows/Start\ Menu/Programs/Show\ larkspur
machine_folder=$(unix_folder ProgramFiles)/ShowLarkspur
classes='HKCR\Brindle.ShowLarkspur.Menu'
assert_no_file "$local_programs" "the user's Programs folder before installing"

# --- Per user, the default ---------------------------------------------------------------------

msiexec_ok /i "$msi" /qn
for file in ShowLarkspur.exe ReadMe.TXT Sample.Larkspur; do
    assert_file_exists "$user_folder/$file" "$file in the user's programs folder"
done
assert_no_file "$machine_folder" "a folder under Program Files"
for link in "Show larkspur:ShowLarkspur.exe" "ReadMe:ReadMe.TXT"; do
    assert_file_exists "$start_menu/${link%%:*}.lnk" "the Start menu shortcut ${link%%:*}"
    assert_contains "$(strings -a "$start_menu/${link%%:*}.lnk")" "ShowLarkspur\\${link#*:}" \
        "the target of the shortcut ${link%%:*}"
done

# The classes as the shell reads them. (Wine's installer writes HKCR itself, its machine classes,
# where Windows Installer writes the user's classes in a per-user install.)
exe=$(e2e_winpath "$user_folder/ShowLarkspur.exe")
assert_eq Brindle.ShowLarkspur.Menu "$(e2e_reg_get 'HKCR\.Larkspur' '')" "the ProgID of .Larkspur"
assert_eq "Файл меню ShowLarkspur" "$(e2e_reg_get "$classes" '')" "the type name"
assert_eq "\"$exe\" \"%1\"" "$(e2e_reg_get "$classes\\shell\\open\\command" '')" "the open verb"
assert_eq "\"$(windows_variable SystemRoot)\\system32\\notepad.exe\" \"%1\"" \
    "$(e2e_reg_get "$classes\\shell\\edit\\command" '')" "the edit verb"

# The shell shows a menu file with the icon DefaultIcon names: IDI_ASSOCIATION's picture.
icon=$(e2e_reg_get "$classes\\DefaultIcon" '')
assert_eq "$exe" "${icon%,*}" "the file DefaultIcon names"
association=$(e2e_probe icon "$exe" IDI_ASSOCIATION | e2e_field digest)
assert_eq "$association" "$(e2e_probe icon "$exe" "${icon##*,}" | e2e_field digest)" \
    "the icon at DefaultIcon's index is IDI_ASSOCIATION"
assert_ne "$association" "$(e2e_probe icon "$exe" A_MAIN | e2e_field digest)" \
    "IDI_ASSOCIATION against the program's mark"

# A double click: the shell opens a menu file (a name with blanks; UTF-16, as the menu editor
# saves Cyrillic) with the installed program.
folder="$E2E_WORK/Мои меню"
mkdir -p "$folder"
{
    printf '\xff\xfe'
    printf '[Options]\r\nTitle=Двойной щелчок\r\n\r\n[Item 0]\r\nTitle=Блокнот\r\nFileName=notepad.exe\r\n' |
        iconv -f UTF-8 -t UTF-16LE
} >"$folder/Проба меню.Larkspur"
e2e_start_program start "$(e2e_winpath "$folder/Проба меню.Larkspur")"
e2e_wait_exit 30
assert_eq 0 "$E2E_EXIT_CODE" "exit code of start"
window=$(e2e_wait_window "Двойной щелчок")
assert_eq Блокнот "$(e2e_list_rows "Двойной щелчок")" "the list of the menu opened by the shell"
e2e_screenshot opened-by-the-shell "$window"

# Shift+F4: the shell's "edit" verb, as registered, opens the file in Notepad; the menu closes.
e2e_key "$window" shift+F4
editor=$(e2e_wait_window "Проба меню.Larkspur - Блокнот")
e2e_wait_no_window "Двойной щелчок"
assert_contains "$(e2e_window_info "Проба меню.Larkspur - Блокнот")" "Title=Двойной щелчок" \
    "the menu file's text in Notepad"
e2e_screenshot edit-verb "$editor"
e2e_probe close "Проба меню.Larkspur - Блокнот"
e2e_wait_no_window "Проба меню.Larkspur - Блокнот"

# The next release replaces this one in place: had the two been installed side by side, removing
# the newer would leave the files behind.
msiexec_ok /i "$newer" /qn
assert_file_exists "$user_folder/ShowLarkspur.exe" "the program after the upgrade"

msiexec_ok /x "$newer" /qn
assert_no_file "$local_programs" "the user's Programs folder after uninstalling"
assert_no_file "$start_menu" "the Start menu folder after uninstalling"
for key in 'HKCR\.Larkspur' "$classes"; do
    e2e_reg_get "$key" '' >/dev/null && e2e_fail "$key is still there after uninstalling"
    e2e_ok "$key removed"
done
assert_file_exists "$folder/Проба меню.Larkspur" "the user's menu after uninstalling"
e2e_reg_get 'HKCU\Software\Brindle\ShowLarkspur\Window Placements' \
    "$(e2e_winpath "$folder/Проба меню.Larkspur")" >/dev/null ||
    e2e_fail "no placement of the menu window in the settings after uninstalling"
e2e_ok "the user's settings after uninstalling"

# --- For all users -------------------------------------------------------------------------------

msiexec_ok /i "$msi" /qn ALLUSERS=1
assert_file_exists "$machine_folder/ShowLarkspur.exe" "the program under Program Files"
assert_no_file "$local_programs" "the user's Programs folder in a per-machine install"
assert_eq "\"$(e2e_winpath "$machine_folder/ShowLarkspur.exe")\" \"%1\"" \
    "$(e2e_reg_get "$classes\\shell\\open\\command" '')" "the open verb of a per-machine install"
# Windows Installer knows the context of an installed product; Wine's has to be told again.
msiexec_ok /x "$msi" /qn ALLUSERS=1
assert_no_file "$machine_folder" "the Program Files folder after uninstalling"
