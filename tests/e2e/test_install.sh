#!/usr/bin/env bash
# The MSIs of the x64 and x86 builds (their package targets). Their tables keep Windows
# Installer's rules for a per-user and a per-machine install, give the program its version, and
# hold their own texts in Russian and English; the x86 one refuses 64-bit Windows. Installed per
# user with no options, the x64 one puts the program, the read-me and the samples under
# %LOCALAPPDATA%\Programs, two Start menu shortcuts, the .Larkspur association and the App Paths
# entry, which the program then leaves alone; a menu file started through the shell shows its
# window, and Shift+F4 opens it in Notepad through the registered "edit" verb; a newer release,
# signed, replaces the program with its own and keeps the sample the user edited; uninstalling
# removes all of it but the user's menus and settings. An install for all users stops while the
# user's own is there; with ALLUSERS=1 it goes under Program Files and writes nothing in the
# user's profile, and nothing of it is left in App Paths once removed. A copy that no install put
# there registers its App Paths itself.
source "$(dirname "$0")/lib/harness.sh"

# Wine's menu builder would copy the Start menu shortcuts into this machine's desktop menus.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

E2E_X86=${LARKSPUR_X86_DIR:-$LARKSPUR_BUILD/x86}

# A variable of a build's CPack configuration.
package_setting() { sed -n "s/^set($2 \"\\(.*\\)\")\$/\\1/p" "$1/CPackConfig.cmake"; }

for build in "$E2E_X64" "$E2E_X86"; do
    cmake --build "$build" --target package >"$E2E_ARTIFACTS/package-${build##*/}.log" 2>&1 ||
        e2e_fail "the package target of $build failed (see $E2E_ARTIFACTS)"
done
package=$(package_setting "$E2E_X64" CPACK_PACKAGE_FILE_NAME)
cp "$E2E_X64/$package.msi" "$E2E_WORK/" || e2e_fail "no $package.msi beside the ZIP"
msi=$(e2e_winpath "$E2E_WORK/$package.msi")
x86_package=$E2E_X86/$(package_setting "$E2E_X86" CPACK_PACKAGE_FILE_NAME).msi
cp "$x86_package" "$E2E_WORK/x86.msi" || e2e_fail "no $x86_package"

# The next release of the same package, to upgrade to: the same files, but the program is the
# next release's (the third number of its file version raised by one, as the package's is: the
# package refuses a program of another version than its own), signed with a throw-away
# certificate (no timestamp: there is no network here).
raise_file_build() {
    local exe=$1 key fixed build
    key=$(LC_ALL=C grep -obUaP 'V\x00S\x00_\x00V\x00E\x00R\x00S\x00I\x00O\x00N\x00_\x00I\x00N\x00F\x00O\x00\x00\x00' \
        "$exe" | head -n 1 | cut -d: -f1)
    [ -n "$key" ] || return 1
    fixed=$((key - 6 + 40))  # VS_FIXEDFILEINFO, after the header and the key padded to 40 bytes
    [ "$(od -An -tx1 -j "$fixed" -N 4 "$exe" | tr -d ' ')" = bd04effe ] || return 1
    build=$(($(od -An -tu2 -j $((fixed + 14)) -N 2 "$exe") + 1))  # dwFileVersionLS's high word
    printf "\\x$(printf %02x $((build & 255)))\\x$(printf %02x $((build >> 8)))" |
        dd of="$exe" bs=1 seek=$((fixed + 14)) conv=notrunc status=none
}
msiextract -C "$E2E_STATE/older-files" "$E2E_WORK/$package.msi" >/dev/null ||
    e2e_fail "could not unpack $package.msi"
cp -r "$E2E_STATE/older-files/Programs/ShowLarkspur" "$E2E_STATE/newer-stage" &&
    raise_file_build "$E2E_STATE/newer-stage/ShowLarkspur.exe" ||
    e2e_fail "could not raise the version of the newer program"
openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj "/CN=ShowLarkspur test signer" \
    -addext extendedKeyUsage=codeSigning -keyout "$E2E_STATE/signer.key" \
    -out "$E2E_STATE/signer.pem" >/dev/null 2>&1 &&
    openssl pkcs12 -export -inkey "$E2E_STATE/signer.key" -in "$E2E_STATE/signer.pem" \
        -passout pass:throw-away -out "$E2E_STATE/signer.pfx" ||
    e2e_fail "could not make the test certificate"
version=$(package_setting "$E2E_X64" CPACK_LARKSPUR_MSI_VERSION)
next_version=${version%.*}.$((${version##*.} + 1))
LARKSPUR_SIGN_PASSWORD=throw-away cpack --config "$E2E_X64/CPackConfig.cmake" -G External \
    -B "$E2E_STATE/newer" -D CPACK_LARKSPUR_MSI_VERSION="$next_version" \
    -D CPACK_INSTALL_CMAKE_PROJECTS= -D "CPACK_INSTALLED_DIRECTORIES=$E2E_STATE/newer-stage;." \
    -D CPACK_PACKAGE_FILE_NAME=newer -D CPACK_LARKSPUR_SIGN_CERTIFICATE="$E2E_STATE/signer.pfx" \
    -D CPACK_LARKSPUR_SIGN_TIMESTAMP_URL= >"$E2E_ARTIFACTS/newer.log" 2>&1 &&
    cp "$E2E_STATE/newer/newer.msi" "$E2E_WORK/" ||
    e2e_fail "could not build the newer package (see $E2E_ARTIFACTS/newer.log)"
newer=$(e2e_winpath "$E2E_WORK/newer.msi")

# --- Signing -------------------------------------------------------------------------------------

signed() { osslsigncode verify -CAfile "$E2E_STATE/signer.pem" -in "$1" >/dev/null 2>&1; }
signed "$E2E_WORK/newer.msi" || e2e_fail "the newer package is not signed"
msiextract -C "$E2E_STATE/newer-files" "$E2E_WORK/newer.msi" >/dev/null ||
    e2e_fail "could not unpack the newer package"
signed "$E2E_STATE/newer-files/Programs/ShowLarkspur/ShowLarkspur.exe" ||
    e2e_fail "ShowLarkspur.exe in the newer package is not signed"
e2e_ok "with a certificate, the package and the program in it are signed"
osslsigncode verify -in "$E2E_WORK/$package.msi" >/dev/null 2>&1 &&
    e2e_fail "$package.msi is signed although no certificate was given"
e2e_ok "without one, nothing is signed"

# --- The program's version ---------------------------------------------------------------------

# Its File row holds the version and languages of its version resource (an unversioned row would
# lose to the versioned program already installed) and no hash, which only unversioned files
# have. The two releases' programs differ, in their bytes and their versions.
program_row() { msiinfo export "$1" File | tr -d '\r' | awk -F '\t' '$1 == "ShowLarkspur.exe" { print $5 " " $6 }'; }
program_hash() { msiinfo export "$1" MsiFileHash | tr -d '\r' | awk -F '\t' '$1 == "ShowLarkspur.exe"'; }
for pair in "$package.msi:$version.0" "x86.msi:$version.0" "newer.msi:$next_version.0"; do
    row=$(program_row "$E2E_WORK/${pair%%:*}")
    assert_eq "${pair#*:}" "${row%% *}" "the program's version in ${pair%%:*}"
    [[ "${row#* }" =~ ^[0-9]+(,[0-9]+)*$ ]] || e2e_fail "the program's languages in ${pair%%:*}: \"${row#* }\""
    assert_eq "" "$(program_hash "$E2E_WORK/${pair%%:*}")" "the program's hash row in ${pair%%:*}"
done
older_program=$E2E_STATE/older-files/Programs/ShowLarkspur/ShowLarkspur.exe
newer_program=$E2E_STATE/newer-files/Programs/ShowLarkspur/ShowLarkspur.exe
cmp -s "$older_program" "$newer_program" && e2e_fail "the two releases hold the same program"
e2e_ok "the two releases' programs differ"

# --- The install rules, from the tables ------------------------------------------------------------

# Windows Installer's validation rules for what the package puts in the profile, each read from
# the tables as msiinfo exports them (no validator runs here), and the rule of both contexts: a
# component mixes no per-user and per-machine data, and an install for all users (ALLUSERS=1)
# writes nothing in the user's profile. In each context the folders, the registry roots HKCR and
# HKMU, and the components' conditions resolve as Windows Installer resolves them, with the
# folder moved to Program Files by the type 51 action that ALLUSERS=1 runs. Prints one line per
# fault, "RULE<tab>what".
install_rule_faults() {
    local folder=$E2E_STATE/tables/$(basename "$1" .msi) table
    mkdir -p "$folder"
    for table in Directory Component Registry File Shortcut RemoveFile CreateFolder CustomAction \
        InstallExecuteSequence Property Icon; do
        msiinfo export "$1" "$table" 2>/dev/null | tail -n +4 | tr -d '\r' >"$folder/$table"
    done
    (cd "$folder" && awk -F '\t' '
        FILENAME == "Directory"    { parent[$1] = $2; made[$1] = $3 != "." && $3 != "SourceDir" }
        FILENAME == "Component"    { dir[$1] = $3; attributes[$1] = $4; condition[$1] = $5; keypath[$1] = $6 }
        FILENAME == "Registry"     { root[$1] = $2; registry_component[$1] = $6 }
        FILENAME == "File"         { file_component[$1] = $2 }
        FILENAME == "Shortcut"     { shortcut_dir[$1] = $2; shortcut_component[$1] = $4 }
        FILENAME == "RemoveFile"   { if ($3 == "") removed[$4] = 1 }
        FILENAME == "CreateFolder" { created[$1, $2] = 1; created[$1] = 1 }
        FILENAME == "CustomAction" { type[$1] = $2 % 64; source[$1] = $3; target[$1] = $4 }
        FILENAME == "InstallExecuteSequence" { when[$1] = $2; step[$1] = $3 }
        FILENAME == "Property"     { property[$1] = $2 }
        FILENAME == "Icon"         { icon[$1] = 1 }
        function under(d, folder) { for (; d != ""; d = parent[d]) if (d == folder) return 1; return 0 }
        function profile(d) { return under(d, "LocalAppDataFolder") || under(d, "ProgramMenuFolder") }
        # HKCU, or HKMU, which is HKCU in a per-user install.
        function user_key_path(c) { return int(attributes[c] / 4) % 2 && (root[keypath[c]] == 1 || root[keypath[c]] == -1) }
        function fault(rule, what) { print rule "\t" what }
        # A type 51 action that sets the folder (or one it is in) to one under Program Files when
        # ALLUSERS=1.
        function moved_for_machine(d,   a) {
            for (; d != ""; d = parent[d])
                for (a in source)
                    if (source[a] == d && type[a] == 51 && target[a] ~ /^\[ProgramFiles/ &&
                        when[a] == "ALLUSERS=1" && step[a] < step["CostFinalize"]) return 1
            return 0
        }
        # Where data lands in a context, "user" (ALLUSERS unset) or "machine" (ALLUSERS=1).
        function folder_kind(d, context) {
            if (under(d, "LocalAppDataFolder")) return context == "machine" && moved_for_machine(d) ? "machine" : "user"
            if (under(d, "ProgramMenuFolder")) return context
            return "machine"
        }
        function root_kind(r, context) { return r == 1 ? "user" : r == 2 ? "machine" : context }
        function installs(c, context) { return !(context == "machine" && condition[c] == "NOT (ALLUSERS=1)") }
        END {
            split("user machine", contexts, " ")
            for (i = 1; i <= 2; i++) {
                context = contexts[i]
                delete kind
                for (f in file_component) kind[file_component[f], folder_kind(dir[file_component[f]], context)] = 1
                for (s in shortcut_dir) kind[shortcut_component[s], folder_kind(shortcut_dir[s], context)] = 1
                for (r in registry_component) kind[registry_component[r], root_kind(root[r], context)] = 1
                for (c in dir) {
                    if (!installs(c, context)) continue
                    if (keypath[c] == "") kind[c, folder_kind(dir[c], context)] = 1
                    if (((c, "user") in kind) && ((c, "machine") in kind))
                        fault(context == "user" ? "ICE57" : "ICE57 with ALLUSERS=1", c " mixes per-user and per-machine data")
                    else if (context == "machine" && ((c, "user") in kind))
                        fault("ALLUSERS=1", c " puts data in the user'"'"'s profile in an install for all users")
                }
            }
            for (c in dir) {
                if (profile(dir[c]) && !user_key_path(c))
                    fault("ICE38", c " installs to the profile without an HKCU key path")
                if (keypath[c] == "" && !((dir[c], c) in created))
                    fault("ICE18", c " has its folder as key path and no CreateFolder")
            }
            for (s in shortcut_component)
                if (!user_key_path(shortcut_component[s]))
                    fault("ICE43", "the shortcut " s " is in a component without an HKCU key path")
            for (d in parent) {
                if (!profile(d) || !made[d]) continue
                if (!(d in removed)) fault("ICE64", "the folder " d " is not in RemoveFile")
                if (!(d in created)) fault("CreateFolder", "the folder " d " is not in CreateFolder")
            }
            for (f in file_component)
                if (under(dir[file_component[f]], "LocalAppDataFolder") && !moved_for_machine(dir[file_component[f]]))
                    fault("ICE91", f " stays in the per-user LocalAppDataFolder when ALLUSERS=1")
            if (!(step["InstallExecute"] < step["RemoveExistingProducts"] &&
                  step["RemoveExistingProducts"] < step["InstallFinalize"]))
                fault("upgrade", "the older product is not removed after the newer one is installed")
            if (!(property["ARPPRODUCTICON"] in icon))
                fault("ARP", "ARPPRODUCTICON names no icon")
            for (a in source)
                if (source[a] == "ARPINSTALLLOCATION" && target[a] == "[INSTALLDIR]" &&
                    step[a] > step["CostFinalize"] && step[a] < step["RegisterProduct"]) location = 1
            if (!location) fault("ARP", "ARPINSTALLLOCATION is not set to INSTALLDIR")
        }' Directory Component Registry File Shortcut RemoveFile CreateFolder CustomAction \
        InstallExecuteSequence Property Icon)
}

rules=(ICE38 ICE43 ICE57 "ICE57 with ALLUSERS=1" ALLUSERS=1 ICE64 ICE18 ICE91 CreateFolder upgrade ARP)
for package_file in "$E2E_WORK/$package.msi" "$E2E_WORK/x86.msi"; do
    faults=$(install_rule_faults "$package_file")
    for rule in "${rules[@]}"; do
        grep -q "^$rule"$'\t' <<<"$faults" &&
            e2e_fail "$(basename "$package_file"): $(grep "^$rule"$'\t' <<<"$faults" | cut -f 2- | paste -sd ';')"
    done
    e2e_ok "$(basename "$package_file"): $(printf '%s, ' "${rules[@]}")no fault"
    assert_contains "$(msiinfo suminfo "$package_file")" ";1049" "the summary's language"
done

# --- The package's own texts and refusals ---------------------------------------------------------

# Russian and English, read back from the code page 1251 the database holds them in: the
# refusals (a line each) and the Start menu shortcuts' descriptions ("Russian / English").
refusal_x86="Этот пакет для 32-разрядной Windows. На этом компьютере установите $package.msi.
This package is for 32-bit Windows. On this computer, install $package.msi."
refusal_downgrade="Уже установлена более новая версия Show larkspur.
A newer version of Show larkspur is already installed."
refusal_user="Show larkspur уже установлена только для этого пользователя. Удалите эту установку, затем установите программу для всех пользователей.
Show larkspur is already installed for this user only. Remove that installation, then install it for all users."
program_description="Показывает меню из файла .Larkspur и запускает выбранный пункт / Shows a menu from a .Larkspur file and starts the item you pick"
readme_description="Клавиши и формат файла меню, по-русски / Keys and the menu file format, in Russian"
english_readme_description="Клавиши и формат файла меню, по-английски / Keys and the menu file format, in English"
user_installation='Installed OR NOT (ALLUSERS=1 AND USERINSTALLATION)'
table() { msiinfo export "$1" "$2" | tr -d '\r'; }
for package_file in "$E2E_WORK/$package.msi" "$E2E_WORK/x86.msi"; do
    name=$(basename "$package_file")
    assert_contains "$(table "$package_file" LaunchCondition)" "$user_installation"$'\t'"$refusal_user" \
        "$name: an install for all users stops where the user has one, and says so"
    assert_contains "$(table "$package_file" LaunchCondition)" $'\t'"$refusal_downgrade" "$name: the downgrade refusal"
    assert_contains "$(table "$package_file" Shortcut)" $'\t'"$program_description"$'\t' \
        "$name: the program shortcut's description"
    assert_contains "$(table "$package_file" Shortcut)" $'\t'"$readme_description"$'\t' \
        "$name: the read-me shortcut's description"
    assert_contains "$(table "$package_file" Shortcut)" $'\t'"$english_readme_description"$'\t' \
        "$name: the English read-me shortcut's description"
    # USERINSTALLATION is the key path of the one component that only a per-user install has.
    assert_eq "USERINSTALLATION UserInstallation" "$(table "$package_file" AppSearch | tail -n +4 | tr '\t' ' ')" \
        "$name: the search for the user's install"
    assert_eq "$(table "$package_file" Registry | awk -F '\t' '$6 == "UserProgramsFolder" { print $2 "\t" $3 "\t" $4 }')" \
        "$(table "$package_file" RegLocator | awk -F '\t' '$1 == "UserInstallation" && $5 == 2 { print $2 "\t" $3 "\t" $4 }')" \
        "$name: the value searched for, the per-user Programs folder's key path"
    assert_eq "NOT (ALLUSERS=1)" \
        "$(table "$package_file" Component | awk -F '\t' '$1 == "UserProgramsFolder" { print $5 }')" \
        "$name: the condition of the per-user Programs folder"
done

# x86 and x64: the x86 package refuses 64-bit Windows, and the two share no component.
assert_contains "$(table "$E2E_WORK/x86.msi" LaunchCondition)" "NOT VersionNT64"$'\t'"$refusal_x86" \
    "the x86 package's launch condition"
assert_eq "" "$(msiinfo export "$E2E_WORK/$package.msi" LaunchCondition | grep -o VersionNT64)" \
    "the x64 package's launch conditions"
component_codes() { msiinfo export "$1" Component | tail -n +4 | cut -f 2 | sort; }
assert_eq "" "$(comm -12 <(component_codes "$E2E_WORK/$package.msi") <(component_codes "$E2E_WORK/x86.msi"))" \
    "component codes shared by x86 and x64"

# --- Installing ----------------------------------------------------------------------------------

# msiexec with the package and the given options; waits for it and checks its exit code.
msiexec_ok() { msiexec_ends 0 "$@"; }
msiexec_ends() {
    local expected=$1
    shift
    e2e_start_program msiexec "$@"
    e2e_wait_exit 120
    assert_eq "$expected" "$E2E_EXIT_CODE" "msiexec $*"
}

# An environment variable of the prefix's programs; a folder variable as a Unix path.
windows_variable() { wine64 cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
unix_folder() { wine64 winepath -u "$(windows_variable "$1")" 2>/dev/null; }

# A product code as Windows Installer's registry keys spell it.
packed_code() {
    local hex=${1//[\{\}-]/}
    printf '%s%s%s' "$(rev <<<"${hex:0:8}")" "$(rev <<<"${hex:8:4}")" "$(rev <<<"${hex:12:4}")"
    sed -E 's/(.)(.)/\2\1/g' <<<"${hex:16}"
}

local_programs=$(unix_folder LOCALAPPDATA)/Programs
user_folder=$local_programs/ShowLarkspur
start_menu=$(unix_folder APPDATA)/Microsoft/Windows/Start\ Menu/Programs/Show\ larkspur
machine_folder=$(unix_folder ProgramFiles)/ShowLarkspur
installation='Software\Brindle\ShowLarkspur\Installation'
classes='HKCR\Brindle.ShowLarkspur.Menu'
app_path='Software\Microsoft\Windows\CurrentVersion\App Paths\ShowLarkspur.exe'
assert_no_file "$local_programs" "the user's Programs folder before installing"

# On 64-bit Windows the x86 package stops at its launch condition (1603, of which wine64 passes
# on the low byte) and installs nothing. This Wine runs no 32-bit code and refuses an x86
# package before that, so a copy marked x64 shows it.
cp "$E2E_WORK/x86.msi" "$E2E_WORK/x86-marked-x64.msi"
msibuild "$E2E_WORK/x86-marked-x64.msi" -s "Show larkspur" Brindle "x64;1049" \
    "$(msiinfo suminfo "$E2E_WORK/x86.msi" | sed -n 's/^Revision number (UUID): //p')" ||
    e2e_fail "could not mark the x86 package x64"
msiexec_ends $((1603 % 256)) /i "$(e2e_winpath "$E2E_WORK/x86-marked-x64.msi")" /qn \
    /l "$(e2e_winpath "$E2E_WORK/x86.log")"
LC_ALL=C grep -aqE ': LaunchConditions\. .* 0\.\s*$' "$E2E_WORK/x86.log" ||
    e2e_fail "the x86 package did not stop at its launch conditions (see $E2E_WORK/x86.log)"
e2e_ok "the x86 package stops at its launch conditions on 64-bit Windows"
assert_no_file "$local_programs" "the user's Programs folder after the x86 package"

# --- Per user, the default ---------------------------------------------------------------------

msiexec_ok /i "$msi" /qn
for file in ShowLarkspur.exe ReadMe.TXT ReadMe.en.TXT Sample.Larkspur; do
    assert_file_exists "$user_folder/$file" "$file in the user's programs folder"
done
assert_no_file "$machine_folder" "a folder under Program Files"
for link in "Show larkspur:ShowLarkspur.exe" "ReadMe:ReadMe.TXT" \
    "ReadMe (English):ReadMe.en.TXT"; do
    assert_file_exists "$start_menu/${link%%:*}.lnk" "the Start menu shortcut ${link%%:*}"
    assert_contains "$(strings -a "$start_menu/${link%%:*}.lnk")" "ShowLarkspur\\${link#*:}" \
        "the target of the shortcut ${link%%:*}"
done
# The shortcuts' descriptions, as the shell reads them (UTF-16, at an even or an odd offset).
link_text() { { iconv -f UTF-16LE -t UTF-8 -c <"$1"; tail -c +2 "$1" | iconv -f UTF-16LE -t UTF-8 -c; } 2>/dev/null | tr -d '\0'; }
assert_contains "$(link_text "$start_menu/Show larkspur.lnk")" "$program_description" \
    "the program shortcut's description, both languages whole"
assert_contains "$(link_text "$start_menu/ReadMe.lnk")" "$readme_description" \
    "the read-me shortcut's description, both languages whole"

# App Paths, before the program has ever started (and written it itself).
exe=$(e2e_winpath "$user_folder/ShowLarkspur.exe")
assert_eq "$exe" "$(e2e_reg_get "HKCU\\$app_path" '')" "App Paths after installing"
assert_eq "${exe%\\*}\\" "$(e2e_reg_get "HKCU\\$app_path" Path)" "the App Paths folder"

# The next release installed for all users beside this one would be a second product (the same
# product would be a maintenance of this install): it stops at its launch condition and installs
# nothing.
msiexec_ends $((1603 % 256)) /i "$newer" /qn ALLUSERS=1 /l "$(e2e_winpath "$E2E_WORK/machine.log")"
LC_ALL=C grep -aqE ': LaunchConditions\. .* 0\.\s*$' "$E2E_WORK/machine.log" ||
    e2e_fail "the install for all users did not stop at its launch conditions (see $E2E_WORK/machine.log)"
e2e_ok "an install for all users stops at its launch conditions while the user's is there"
assert_no_file "$machine_folder" "a folder under Program Files after the refused install"

# Add/Remove Programs: the program's icon and the install folder.
product=$(msiinfo export "$E2E_WORK/$package.msi" Property | sed -n 's/^ProductCode\t//p' | tr -d '\r')
icon=$(e2e_reg_get "HKCU\\Software\\Microsoft\\Installer\\Products\\$(packed_code "$product")" ProductIcon)
assert_file_exists "$(wine64 winepath -u "$icon" 2>/dev/null)" "the product icon Add/Remove Programs shows"
assert_eq "${exe%\\*}\\" \
    "$(e2e_reg_get "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product" InstallLocation)" \
    "the install location Add/Remove Programs shows"

# The classes as the shell reads them. (Wine's installer writes HKCR itself, its machine classes,
# where Windows Installer writes the user's classes in a per-user install.)
assert_eq Brindle.ShowLarkspur.Menu "$(e2e_reg_get 'HKCR\.Larkspur' '')" "the ProgID of .Larkspur"
assert_eq "Файл меню ShowLarkspur" "$(e2e_reg_get "$classes" '')" "the type name"
assert_eq "\"$exe\" \"%1\"" "$(e2e_reg_get "$classes\\shell\\open\\command" '')" "the open verb"
assert_eq "\"$(windows_variable SystemRoot)\\notepad.exe\" \"%1\"" \
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
# The installed program left its App Paths entry to the install (its own has no closing
# backslash).
assert_eq "${exe%\\*}\\" "$(e2e_reg_get "HKCU\\$app_path" Path)" "the App Paths folder after the program ran"

# The next release replaces this one in place and keeps the sample the user edited: had the two
# been installed side by side, removing the newer would leave the files behind.
printf '\r\n[Item 1]\r\nTitle=Моя правка\r\nFileName=notepad.exe\r\n' |
    iconv -f UTF-8 -t CP1251 >>"$user_folder/Sample.Larkspur"
edited=$(md5sum <"$user_folder/Sample.Larkspur")
msiexec_ok /i "$newer" /qn
assert_eq "$(md5sum <"$newer_program")" "$(md5sum <"$user_folder/ShowLarkspur.exe")" \
    "the program after the upgrade: the newer release's, byte for byte"
assert_eq "$edited" "$(md5sum <"$user_folder/Sample.Larkspur")" "the edited sample after the upgrade"
assert_eq "$exe" "$(e2e_reg_get "HKCU\\$app_path" '')" "App Paths after the upgrade"
assert_eq Brindle.ShowLarkspur.Menu "$(e2e_reg_get 'HKCR\.Larkspur' '')" "the ProgID after the upgrade"

msiexec_ok /x "$newer" /qn
assert_no_file "$local_programs" "the user's Programs folder after uninstalling"
assert_no_file "$start_menu" "the Start menu folder after uninstalling"
for key in 'HKCR\.Larkspur' "$classes" "HKCU\\$app_path"; do
    e2e_reg_get "$key" '' >/dev/null && e2e_fail "$key is still there after uninstalling"
    e2e_ok "$key removed"
done
assert_file_exists "$folder/Проба меню.Larkspur" "the user's menu after uninstalling"
e2e_reg_get 'HKCU\Software\Brindle\ShowLarkspur\Window Placements' \
    "$(e2e_winpath "$folder/Проба меню.Larkspur")" >/dev/null ||
    e2e_fail "no placement of the menu window in the settings after uninstalling"
e2e_ok "the user's settings after uninstalling"

# --- For all users -------------------------------------------------------------------------------

# The entry an earlier version of the program wrote for the user who ran it, naming the copy
# installed for all users: left there, it would outlive the program.
machine_exe=$(e2e_winpath "$machine_folder/ShowLarkspur.exe")
wine64 reg add "HKCU\\$app_path" /ve /d "$machine_exe" /f >/dev/null 2>&1 ||
    e2e_fail "could not write an earlier version's App Paths entry"

msiexec_ok /i "$msi" /qn ALLUSERS=1
assert_file_exists "$machine_folder/ShowLarkspur.exe" "the program under Program Files"
assert_no_file "$local_programs" "the user's Programs folder in a per-machine install"
# (Windows Installer puts the shortcuts in the Start menu of all users; Wine's keeps the user's.)
assert_eq "$machine_exe" "$(e2e_reg_get "HKLM\\$installation" Program)" "the program's key path, the machine's"
assert_eq "" "$(e2e_probe reg "HKCU\\$installation" 2>/dev/null)" "the user's key paths in a per-machine install"
assert_eq "\"$machine_exe\" \"%1\"" "$(e2e_reg_get "$classes\\shell\\open\\command" '')" \
    "the open verb of a per-machine install"
assert_eq "$machine_exe" "$(e2e_reg_get "HKLM\\$app_path" '')" "App Paths of a per-machine install"

# The program installed for all users leaves App Paths to its install, and takes away the
# user's entry for itself once its window is up.
e2e_start_program "$machine_exe" "$(e2e_winpath "$folder/Проба меню.Larkspur")"
window=$(e2e_wait_window "Двойной щелчок")
assert_shows "" "the user's App Paths entry for the program installed for all users" \
    e2e_reg_get "HKCU\\$app_path" ''
e2e_key "$window" Escape
e2e_wait_exit 10

# Windows Installer knows the context of an installed product; Wine's has to be told again.
msiexec_ok /x "$msi" /qn ALLUSERS=1
assert_no_file "$machine_folder" "the Program Files folder after uninstalling"
for key in "HKLM\\$app_path" "HKCU\\$app_path" "HKLM\\$installation"; do
    [ -z "$(e2e_probe reg "$key" 2>/dev/null)" ] || e2e_fail "$key is still there after uninstalling"
    e2e_ok "nothing in $key after uninstalling"
done

# --- A copy from the zip -----------------------------------------------------------------------

# No install put it there: it registers its App Paths itself, once its window is up.
mkdir -p "$E2E_WORK/Unpacked"
cp "$older_program" "$E2E_WORK/Unpacked/" || e2e_fail "could not unpack the program"
unpacked=$(e2e_winpath "$E2E_WORK/Unpacked/ShowLarkspur.exe")
e2e_start_program "$unpacked" "$(e2e_winpath "$folder/Проба меню.Larkspur")"
window=$(e2e_wait_window "Двойной щелчок")
assert_shows "$unpacked" "the App Paths entry of an unpacked copy" e2e_reg_get "HKCU\\$app_path" ''
assert_eq "${unpacked%\\*}" "$(e2e_reg_get "HKCU\\$app_path" Path)" "the folder of an unpacked copy"
e2e_key "$window" Escape
e2e_wait_exit 10
