// Damaged icon sources get a row icon: the shell's own, or the neutral one.
#include <gtest/gtest.h>
#include <objbase.h>
#include <windows.h>

#include <set>
#include <string>

#include "platform/win32/ShellIcons.h"
#include "support/DamagedIconSources.h"
#include "support/TempFolder.h"

namespace {

std::string ProgramBytes() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    return testsupport::ReadFileBytes(std::wstring(path, length));
}

// Wine's own icon parser (user32, below SHGetFileInfoW) reads past the end of these and ends
// the process (the icon group of 65,535 entries only where the file ends soon enough after it).
const std::set<std::wstring> kBeyondWinesParser = {
    L"count-65535.ico",         L"offset-past-end.ico",   L"cut-short.ico",
    L"cut-short.exe",           L"group-count-65535.exe", L"resources-past-end.exe",
    L"icon-in-damaged-file.lnk"};

TEST(DamagedIconsWine, EachGetsAnIcon) {
    testsupport::TempFolder temp;
    const auto sources = testsupport::DamagedIconSources(ProgramBytes(), temp.Path());
    for (const auto& source : sources) {
        testsupport::WriteFileBytes(temp.Path() / source.name, source.bytes);
    }
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    for (const auto& source : sources) {
        if (kBeyondWinesParser.contains(source.name)) continue;
        HICON icon = platform::LoadTargetIcon({temp.File(source.name), L"", temp.File(L"")}, 16);
        EXPECT_NE(icon, nullptr) << testing::PrintToString(source.name);
        if (icon) DestroyIcon(icon);
    }
    if (com) CoUninitialize();
}

}  // namespace
