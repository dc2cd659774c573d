#include "app/win32/ExecutableInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/VersionText.h"

namespace {

constexpr wchar_t kExpectedNameVariable[] = L"LARKSPUR_EXPECTED_EXE_NAME";

bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

std::wstring Environment(const wchar_t* name) {
    wchar_t value[32768];
    const DWORD length = GetEnvironmentVariableW(name, value, 32768);
    return length == 0 || length >= 32768 ? std::wstring() : std::wstring(value, length);
}

std::wstring TempFolder() {
    wchar_t buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, buffer);
    return std::wstring(buffer, length);
}

std::string ReadAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs `exe` with `arguments`, without a console, and returns its exit code.
DWORD RunAndWait(const std::wstring& exe, const std::wstring& arguments) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe + L"\" " + arguments;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
        return static_cast<DWORD>(-1);
    }
    DWORD exitCode = static_cast<DWORD>(-1);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

}  // namespace

TEST(ExecutableInfo, ReadsTheVersionFromTheExecutablesVersionData) {
    const platform::Application app = app::ReadExecutableInfo();
    EXPECT_EQ(3, app.Major);
    EXPECT_EQ(2, app.Minor);
    EXPECT_EQ(46, app.Revision);
    EXPECT_EQ(L"3.02.0046", platform::VersionText(app));
}

TEST(ExecutableInfo, ReadsTheNoticeLineFromTheVersionData) {
    EXPECT_EQ(L"Copyright \u00A9 2026 Brindle", app::ReadExecutableInfo().LegalCopyright);
}

TEST(ExecutableInfo, CarriesTheProgramTitleAndSettingsKeys) {
    const platform::Application app = app::ReadExecutableInfo();
    EXPECT_EQ(L"Brindle - Show larkspur", app.Title);
    EXPECT_EQ(L"Brindle", app.CompanyKey);
    EXPECT_EQ(L"ShowLarkspur", app.ProductKey);
}

TEST(ExecutableInfo, ExePathIsTheRunningFileAndEndsWithItsBaseName) {
    const platform::Application app = app::ReadExecutableInfo();
    const DWORD attributes = GetFileAttributesW(app.ExePath.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes) << "no file at the executable's path";
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    ASSERT_FALSE(app.ExeName.empty());
    const std::wstring tail = L"\\" + app.ExeName + L".exe";
    ASSERT_GT(app.ExePath.size(), tail.size());
    EXPECT_TRUE(SameText(tail, app.ExePath.substr(app.ExePath.size() - tail.size())))
        << "path " << testing::PrintToString(app.ExePath);
}

TEST(ExecutableInfo, DataFolderIsTheProgramsFolderInRoamingAppData) {
    const std::wstring appData = Environment(L"APPDATA");
    ASSERT_FALSE(appData.empty());
    EXPECT_TRUE(SameText(appData + L"\\Brindle\\ShowLarkspur", app::ReadExecutableInfo().DataFolder))
        << testing::PrintToString(app::ReadExecutableInfo().DataFolder);
}

// Run by the test below inside a renamed copy of this executable.
TEST(ExecutableInfo, DISABLED_ExeNameIsTheNameGivenInTheEnvironment) {
    const std::wstring expected = Environment(kExpectedNameVariable);
    if (expected.empty()) GTEST_SKIP() << "only run inside a renamed copy";
    EXPECT_EQ(expected, app::ReadExecutableInfo().ExeName);
}

TEST(ExecutableInfo, ExeNameIsTheBaseNameOfTheFileAsItIsNamedOnDisk) {
    const std::wstring folder = TempFolder() + L"larkspur-exe-name-" +
                                std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(GetTickCount64());
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring copy = folder + L"\\Renamed Launcher.v2.EXE";
    const std::wstring report = folder + L"\\report.xml";
    ASSERT_TRUE(CopyFileW(app::ReadExecutableInfo().ExePath.c_str(), copy.c_str(), TRUE));

    // Started by a name spelt in other case: the name on disk still wins.
    ASSERT_TRUE(SetEnvironmentVariableW(kExpectedNameVariable, L"Renamed Launcher.v2"));
    const DWORD exitCode = RunAndWait(
        folder + L"\\renamed launcher.V2.exe",
        L"--gtest_also_run_disabled_tests "
        L"--gtest_filter=ExecutableInfo.DISABLED_ExeNameIsTheNameGivenInTheEnvironment "
        L"\"--gtest_output=xml:" + report + L"\"");
    SetEnvironmentVariableW(kExpectedNameVariable, nullptr);

    const std::string result = ReadAll(report);
    EXPECT_EQ(0u, exitCode) << result;
    // The one test ran to its end (a skipped test reports result="skipped") and did not fail.
    EXPECT_NE(std::string::npos, result.find("tests=\"1\" failures=\"0\"")) << result;
    EXPECT_NE(std::string::npos, result.find("result=\"completed\"")) << result;
    DeleteFileW(copy.c_str());
    DeleteFileW(report.c_str());
    RemoveDirectoryW(folder.c_str());
}
