// Finding a program as the shell does, on the real registry and environment.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/win32/Win32TargetLookup.h"
#include "support/TempFolder.h"

namespace {

const std::wstring kAppPaths = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

class TargetLookupWine : public ::testing::Test {
protected:
    TargetLookupWine() {
        std::filesystem::create_directories(temp.Path() / L"Инструменты");
        std::filesystem::create_directories(temp.Path() / L"menus");
        testsupport::WriteFileBytes(Tool(), "MZ");
    }
    ~TargetLookupWine() override {
        for (const wchar_t* name : {L"larkspur-test-a.exe", L"larkspur-test-b.exe"}) {
            RegDeleteTreeW(HKEY_CURRENT_USER, (kAppPaths + name).c_str());
        }
        SetEnvironmentVariableW(L"LARKSPUR_TEST_TOOLS", nullptr);
    }

    std::wstring Tool() const { return temp.File(L"Инструменты\\tool.exe"); }

    static void Register(const wchar_t* program, DWORD type, const std::wstring& path) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, (kAppPaths + program).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, nullptr, 0, type, reinterpret_cast<const BYTE*>(path.c_str()),
                       static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

    // The path of the file found, or empty.
    std::wstring Resolve(const std::wstring& name) {
        return platform::ResolveTarget({name, L"", temp.File(L"menus")}, lookup).path;
    }

    testsupport::TempFolder temp;
    platform::Win32TargetLookup lookup;
};

// An expandable value comes back expanded, a quoted one without its quotes.
TEST_F(TargetLookupWine, AProgramRegisteredOnlyUnderAppPathsIsFound) {
    ASSERT_TRUE(SetEnvironmentVariableW(L"LARKSPUR_TEST_TOOLS", temp.File(L"Инструменты").c_str()));
    Register(L"larkspur-test-a.exe", REG_EXPAND_SZ, L"%LARKSPUR_TEST_TOOLS%\\tool.exe");
    Register(L"larkspur-test-b.exe", REG_SZ, L"\"" + Tool() + L"\"");
    EXPECT_EQ(Resolve(L"larkspur-test-a"), Tool());
    EXPECT_EQ(Resolve(L"larkspur-test-b.exe"), Tool());
    EXPECT_EQ(Resolve(L"larkspur-test-c"), L"");
}

TEST_F(TargetLookupWine, ThePathsFoldersOnAServerAreNotSearched) {
    std::wstring path(32767, L'\0');
    path.resize(GetEnvironmentVariableW(L"PATH", path.data(), static_cast<DWORD>(path.size())));
    const std::wstring local = temp.File(L"Инструменты");
    SetEnvironmentVariableW(L"PATH", (L"\\\\server\\tools;" + local).c_str());
    const std::vector<std::wstring> folders = lookup.SearchFolders();
    SetEnvironmentVariableW(L"PATH", path.c_str());
    ASSERT_FALSE(folders.empty());
    EXPECT_EQ(folders.back(), local);
    EXPECT_EQ(std::count(folders.begin(), folders.end(), L"\\\\server\\tools"), 0);
}

}  // namespace
