#!/usr/bin/env bash
# Runs every test of the project and ends with one line "N passed, N failed".
#
# Installs what is missing (Debian packages), builds the native, x64, x86 and clang presets,
# checks the executables' headers and the MSVC build's link (scripts/checks/), runs the native
# suite with ctest, the Windows suite under Wine on its own Xvfb, every end-to-end test
# (tests/e2e/test_*.sh) and the short fuzz run (tests/fuzz/run.sh) when there is one.
# Exits non-zero on any failure, a failed build included. Logs are in artifacts/logs/, the
# end-to-end tests' screenshots in artifacts/e2e/<test>/.
#
# Settings (environment): LARKSPUR_JOBS (build jobs, 2), LARKSPUR_WINE_TESTS_TIMEOUT (seconds,
# 1200), LARKSPUR_E2E_TIMEOUT (seconds per end-to-end test, 300), LARKSPUR_FUZZ_TIMEOUT (1200).
set -uo pipefail

source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/wine.sh"
cd "$LARKSPUR_ROOT" || exit 1
install_cleanup_trap

LOGS=$LARKSPUR_ARTIFACTS/logs
rm -rf "$LOGS" "$LARKSPUR_ARTIFACTS/e2e"
mkdir -p "$LOGS"

passed=0
failed=0
skipped=0

summary_and_exit() {
    local line="$passed passed, $failed failed"
    [ "$skipped" -gt 0 ] && line+=", $skipped skipped"
    printf '\n%s\n' "$line"
    [ "$failed" -eq 0 ]
    exit
}

# --- Set-up ----------------------------------------------------------------------------------------

stage "Installing what is missing"
if ! install_missing "${LARKSPUR_WINDOWS_PACKAGES[@]}" "${LARKSPUR_FUZZ_PACKAGES[@]}"; then
    failed=$((failed + 1))
    summary_and_exit
fi

# --- Builds ----------------------------------------------------------------------------------------

declare -A built
for preset in native x64 x86 clang; do
    stage "Building $preset (build/$preset)"
    log=$LOGS/build-$preset.log
    started=$SECONDS
    if cmake --preset "$preset" >"$log" 2>&1 &&
        cmake --build "build/$preset" -j "$LARKSPUR_JOBS" >>"$log" 2>&1; then
        built[$preset]=1
        say "Built in $((SECONDS - started)) s."
    else
        built[$preset]=0
        failed=$((failed + 1))
        say "FAILED: the $preset build."
        show_log "$log"
    fi
done

# --- Build checks -----------------------------------------------------------------------------------

# Runs one check as one test: passed when it exits with 0.
run_check() {
    local name=$1 log=$LOGS/check-$1.log
    shift
    if "$@" >"$log" 2>&1; then
        passed=$((passed + 1))
        say "passed $name"
    else
        failed=$((failed + 1))
        say "FAILED $name:"
        show_log "$log" 40
    fi
}

stage "Build checks (scripts/checks/)"
for preset in x64 x86 clang; do
    [ "${built[$preset]}" = 1 ] &&
        run_check "pe-header-$preset" bash scripts/checks/pe_header.sh "build/$preset/ShowLarkspur.exe"
done
run_check msvc-link bash scripts/checks/msvc_link.sh

# --- Native tests ----------------------------------------------------------------------------------

# Counts a finished ctest run from its closing line ("…, F tests failed out of T").
count_ctest() {
    local log=$1 line total bad
    line=$(grep -E '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
    if [ -z "$line" ]; then
        grep -q 'No tests were found' "$log" && return 0
        return 1
    fi
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    local not_run
    not_run=$(grep -cE '^\s*[0-9]+ - .*\((Skipped|Disabled)\)' "$log")
    passed=$((passed + total - bad - not_run))
    skipped=$((skipped + not_run))
    failed=$((failed + bad))
}

if [ "${built[native]}" = 1 ]; then
    stage "Native tests (ctest)"
    log=$LOGS/ctest.log
    ctest --test-dir build/native -j "$LARKSPUR_JOBS" --output-on-failure 2>&1 | tee "$log"
    if ! count_ctest "$log"; then
        failed=$((failed + 1))
        say "FAILED: ctest ended without a result line."
    fi
fi

# --- Wine --------------------------------------------------------------------------------------------

# Counts the test cases of a GoogleTest XML report; prints the names of the failed ones.
count_gtest_xml() {
    local xml=$1 counts
    counts=$(awk '
        function finish() {
            if (!open) return
            if (notrun) s++; else if (bad) { f++; print "FAILED: " name > "/dev/stderr" } else p++
            open = 0
        }
        /<testcase / {
            finish()
            open = 1; bad = 0
            notrun = ($0 ~ /status="notrun"/ || $0 ~ /result="skipped"/ || $0 ~ /result="suppressed"/)
            match($0, /classname="[^"]*"/); cls = substr($0, RSTART + 11, RLENGTH - 12)
            match($0, / name="[^"]*"/); name = cls "." substr($0, RSTART + 7, RLENGTH - 8)
            if ($0 ~ /\/>[[:space:]]*$/) finish()
            next
        }
        /<failure/ { bad = 1 }
        /<\/testcase>/ { finish() }
        END { finish(); printf "%d %d %d\n", p, f, s }' "$xml") || return 1
    read -r p f s <<<"$counts"
    passed=$((passed + p))
    failed=$((failed + f))
    skipped=$((skipped + s))
}

wine_ready=0
if [ "${built[x64]}" = 1 ]; then
    stage "Preparing Wine (Xvfb, ru_RU.UTF-8, a fresh prefix)"
    if ! ensure_russian_locale; then
        failed=$((failed + 1))
        say "FAILED: the ru_RU.UTF-8 locale; Wine runs without code page 1251."
    fi
    # Prefixes left by an earlier run may still have a wineserver.
    for old in "$LARKSPUR_BUILD"/wine/*/; do stop_wine "$old"; done
    export LARKSPUR_WINE_TEMPLATE=$LARKSPUR_BUILD/wine/template
    started=$SECONDS
    if start_xvfb "$LOGS/xvfb.log" &&
        create_wine_prefix "$LARKSPUR_WINE_TEMPLATE" desktop; then
        on_exit "stop_wine '$LARKSPUR_WINE_TEMPLATE'"
        wine_ready=1
        say "Wine prefix ready in $((SECONDS - started)) s: $LARKSPUR_WINE_TEMPLATE (display $DISPLAY)."
    else
        failed=$((failed + 1))
        say "FAILED: could not prepare Wine."
    fi
fi

if [ "$wine_ready" = 1 ]; then
    stage "Windows tests under Wine (build/x64/tests/larkspur_tests.exe)"
    prefix=$LARKSPUR_BUILD/wine/tests
    log=$LOGS/windows-tests.log
    xml=$LOGS/windows-tests.xml
    rm -f "$xml"
    if clone_wine_prefix "$LARKSPUR_WINE_TEMPLATE" "$prefix"; then
        on_exit "stop_wine '$prefix'"
        xml_windows=$(windows_path "$prefix" "$xml")
        (cd build/x64/tests &&
            WINEPREFIX=$prefix russian timeout -k 10 "${LARKSPUR_WINE_TESTS_TIMEOUT:-1200}" \
                wine64 ./larkspur_tests.exe "--gtest_output=xml:$xml_windows") 2>&1 | tee "$log"
        code=${PIPESTATUS[0]}
        stop_wine "$prefix"
        before=$failed
        if [ ! -s "$xml" ] || ! count_gtest_xml "$xml"; then
            failed=$((failed + 1))
            say "FAILED: the Windows test executable ended with code $code and wrote no report."
        elif [ "$code" -ne 0 ] && [ "$failed" -eq "$before" ]; then
            failed=$((failed + 1))
            say "FAILED: the Windows test executable ended with code $code although no test failed."
        fi
    else
        failed=$((failed + 1))
        say "FAILED: could not copy the Wine prefix for the Windows tests."
    fi
fi

# --- End-to-end tests ------------------------------------------------------------------------------

# The harness checks itself first, so that its own faults are not taken for the program's.
shopt -s nullglob
e2e_tests=(tests/e2e/lib/selftest.sh tests/e2e/test_*.sh)
stage "End-to-end tests (the harness's self-test and $((${#e2e_tests[@]} - 1)) more; screenshots in artifacts/e2e/)"
for test in "${e2e_tests[@]}"; do
    name=$(basename "$test" .sh)
    if [ "$wine_ready" != 1 ]; then
        say "FAILED $name: not run, the x64 build or Wine is not ready."
        failed=$((failed + 1))
        continue
    fi
    mkdir -p "$LARKSPUR_ARTIFACTS/e2e/$name"
    log=$LARKSPUR_ARTIFACTS/e2e/$name/output.log
    started=$SECONDS
    timeout -k 30 "${LARKSPUR_E2E_TIMEOUT:-300}" bash "$test" >"$log" 2>&1
    code=$?
    reap_e2e_test "$name"
    if [ "$code" -eq 0 ]; then
        passed=$((passed + 1))
        say "passed $name ($((SECONDS - started)) s)"
    else
        failed=$((failed + 1))
        [ "$code" -eq 124 ] && say "(timed out after ${LARKSPUR_E2E_TIMEOUT:-300} s)"
        say "FAILED $name (exit code $code, $((SECONDS - started)) s):"
        show_log "$log" 80
    fi
done

# --- Fuzzing ---------------------------------------------------------------------------------------

if [ -f tests/fuzz/run.sh ]; then
    stage "Fuzz run (tests/fuzz/run.sh)"
    log=$LOGS/fuzz.log
    if timeout -k 10 "${LARKSPUR_FUZZ_TIMEOUT:-1200}" bash tests/fuzz/run.sh >"$log" 2>&1; then
        passed=$((passed + 1))
        tail -n 5 "$log"
    else
        failed=$((failed + 1))
        say "FAILED: the fuzz run."
        show_log "$log"
    fi
fi

summary_and_exit
