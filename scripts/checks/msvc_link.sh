#!/usr/bin/env bash
# The MSVC build's link: one manifest, ours, and shell32, comdlg32 and ole32 delay-loaded.
#
# No Visual Studio here: clang-cl, lld-link and llvm-rc stand in for cl, link and rc. The project
# is configured with them (the MSVC branch of CMakeLists.txt; the compilers are not tried, as
# there is no Windows SDK or runtime to link), the resource script is compiled by the generated
# rule, and the generated link command of ShowLarkspur.exe runs with a stand-in for the
# program's objects that calls one function of each delayed DLL, and stand-ins for the
# libraries it names. As generated, the link must make no manifest of its own (CMake's wrapper
# would have the manifest tool put it in place of ours) and embed one, ours. Told to embed one
# of its own (/MANIFEST:EMBED, what a Visual Studio project does unless told), the linker must
# refuse it as a duplicate RT_MANIFEST, as link.exe does: so a second one would be seen.
#
#   scripts/checks/msvc_link.sh    builds in build/msvc-check; exits non-zero on a fault
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"

build=$LARKSPUR_BUILD/msvc-check
stand_ins=$build/stand-ins
clang_cl=$(command -v clang-cl || command -v clang-cl-14)
rm -rf "$build"
mkdir -p "$stand_ins"

fail() { say "FAILED: $*"; exit 1; }

# llvm-rc 14 ignores the script's "#pragma code_page(65001)", which rc.exe honours.
cmake -S "$LARKSPUR_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_SYSTEM_NAME=Windows -DCMAKE_SYSTEM_PROCESSOR=AMD64 \
    -DCMAKE_C_COMPILER="$clang_cl" -DCMAKE_CXX_COMPILER="$clang_cl" \
    -DCMAKE_C_COMPILER_TARGET=x86_64-pc-windows-msvc -DCMAKE_CXX_COMPILER_TARGET=x86_64-pc-windows-msvc \
    -DCMAKE_C_COMPILER_WORKS=ON -DCMAKE_CXX_COMPILER_WORKS=ON \
    -DCMAKE_LINKER=lld-link -DCMAKE_MT=llvm-mt -DCMAKE_RC_COMPILER=llvm-rc \
    "-DCMAKE_RC_FLAGS=-I/usr/x86_64-w64-mingw32/include -C 65001" \
    -DLARKSPUR_BUILD_TESTS=OFF >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; fail "configuring the MSVC build"; }
cd "$build"
ninja "$(ninja -t targets all | grep -o '^[^:]*ShowLarkspur\.rc\.res')" >/dev/null

# The link step of ShowLarkspur.exe, the command between ": &&" and the next "&&": CMake's
# wrapper (cmake -E vs_link_exe … --), then the linker's own command.
link=$(ninja -t commands ShowLarkspur | tail -n 1 | sed -E 's/^: && //; s/ && .*//')
read -ra link <<<"$link"

cat >"$stand_ins/program.c" <<'EOF'
__declspec(dllimport) int __stdcall ShellExecuteExW(void *info);
__declspec(dllimport) int __stdcall GetOpenFileNameW(void *choice);
__declspec(dllimport) long __stdcall CoInitializeEx(void *reserved, unsigned long model);
int __stdcall wWinMain(void *instance, void *previous, unsigned short *line, int show) {
    return ShellExecuteExW(0) + GetOpenFileNameW(0) + (int)CoInitializeEx(0, 0);
}
int wWinMainCRTStartup(void) { return wWinMain(0, 0, 0, 0); }
void *__delayLoadHelper2(const void *descriptor, void **slot) { return 0; }
EOF
"$clang_cl" --target=x86_64-pc-windows-msvc /c /Zl "/Fo$stand_ins/program.obj" -- "$stand_ins/program.c" >/dev/null
declare -A exports=([shell32]=ShellExecuteExW [comdlg32]=GetOpenFileNameW [ole32]=CoInitializeEx)
arguments=()
for argument in "${link[@]}"; do
    case $argument in
    *.obj) arguments+=("$stand_ins/program.obj") ;;
    [!/-]*.lib)
        name=$(basename "$argument" .lib)
        printf 'LIBRARY %s.dll\nEXPORTS\n%s\n' "$name" "${exports[$name]:-}" >"$stand_ins/$name.def"
        llvm-dlltool -m i386:x86-64 -d "$stand_ins/$name.def" -l "$stand_ins/$name.lib"
        arguments+=("$stand_ins/$name.lib") ;;
    *) arguments+=("$argument") ;;
    esac
done

linker=("${arguments[@]}")
for i in "${!arguments[@]}"; do
    [ "${arguments[i]}" = -- ] && linker=("${arguments[@]:i+1}")
done

manifests() { llvm-readobj --coff-resources ShowLarkspur.exe | grep -c 'Type: MANIFEST'; }

"${arguments[@]}" >link.log 2>&1 || { cat link.log; fail "the generated link command"; }
# A manifest of the linker's own, which the manifest tool would embed in place of ours.
[ ! -e ShowLarkspur.exe.manifest ] || fail "the link made a manifest of its own"
[ "$(manifests)" = 1 ] || fail "$(manifests) manifests in ShowLarkspur.exe"
grep -q 'name="Brindle.ShowLarkspur"' ShowLarkspur.exe || fail "the manifest is not ours"
say "ok: one manifest, ours"
delayed=$(llvm-readobj --coff-imports ShowLarkspur.exe | grep -A1 '^DelayImport' | sed -n 's/^ *Name: //p')
[ "$(sort <<<"$delayed" | tr '\n' ' ')" = "comdlg32.dll ole32.dll shell32.dll " ] ||
    fail "delay-loaded: $(tr '\n' ' ' <<<"$delayed")"
say "ok: shell32, comdlg32 and ole32 delay-loaded"

embedding=()
for argument in "${linker[@]}"; do
    [ "$argument" = /MANIFEST:NO ] || embedding+=("$argument")
done
if "${embedding[@]}" /MANIFEST:EMBED >embed.log 2>&1; then
    fail "with /MANIFEST:EMBED the link took a second manifest"
fi
grep -q 'duplicate resource: type MANIFEST' embed.log || { cat embed.log; fail "the duplicate"; }
say "ok: told to embed its own, the linker refuses the duplicate manifest"
