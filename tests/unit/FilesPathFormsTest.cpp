// The forms of paths the file layer gives the system, and the names it refuses.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/files/DeviceNames.h"
#include "platform/files/ExtendedPath.h"

namespace files = platform::files;

TEST(FilesExtendedPath, DrivePathsAndSharesTakeTheirPrefix) {
    EXPECT_EQ(files::ExtendedPath(L"C:\\Меню\\a.Larkspur"), L"\\\\?\\C:\\Меню\\a.Larkspur");
    EXPECT_EQ(files::ExtendedPath(L"d:\\"), L"\\\\?\\d:\\");
    EXPECT_EQ(files::ExtendedPath(L"\\\\server\\share\\a.Larkspur"),
              L"\\\\?\\UNC\\server\\share\\a.Larkspur");
}

TEST(FilesExtendedPath, PrefixedDeviceAndRelativePathsStayAsTheyAre) {
    for (const wchar_t* path : {L"\\\\?\\C:\\a", L"\\\\?\\UNC\\s\\h\\a", L"\\\\.\\NUL",
                                L"a.Larkspur", L"C:a.Larkspur", L"\\a.Larkspur", L""}) {
        EXPECT_EQ(files::ExtendedPath(path), path);
    }
}

namespace {

// GetFullPathNameW's answers, as each version of Windows gives them; any other path is full.
std::wstring AnswerOf(const std::map<std::wstring, std::wstring>& answers,
                      const std::wstring& path) {
    const auto found = answers.find(path);
    return found == answers.end() ? path : found->second;
}

std::wstring FullPathOnWindows11(const std::wstring& path) {
    return AnswerOf({{L"C:\\menus\\aux", L"\\\\.\\aux"},
                     {L"COM1:", L"\\\\.\\COM1"},
                     {L"LPT1 .txt", L"C:\\menus\\LPT1 .txt"}},
                    path);
}

std::wstring FullPathBeforeWindows11(const std::wstring& path) {
    return AnswerOf({{L"C:\\menus\\aux.Larkspur", L"\\\\.\\aux"},
                     {L"C:\\menus\\nul.txt", L"\\\\.\\nul"}},
                    path);
}

}  // namespace

// Whether a name is a device is the system's to say, and Windows 11 says it of fewer names.
TEST(FilesDeviceNames, AreWhatTheSystemsFullPathPutsAmongTheDevices) {
    for (const wchar_t* path : {L"C:\\menus\\aux", L"COM1:", L"\\\\.\\PhysicalDrive0"}) {
        EXPECT_TRUE(files::IsDeviceName(path, FullPathOnWindows11)) << path;
    }
    for (const wchar_t* path : {L"C:\\menus\\aux.Larkspur", L"C:\\menus\\nul.txt", L"LPT1 .txt",
                                L"C:\\NUL\\menu.Larkspur", L""}) {
        EXPECT_FALSE(files::IsDeviceName(path, FullPathOnWindows11)) << path;
    }
    EXPECT_TRUE(files::IsDeviceName(L"C:\\menus\\aux.Larkspur", FullPathBeforeWindows11));
    EXPECT_TRUE(files::IsDeviceName(L"C:\\menus\\nul.txt", FullPathBeforeWindows11));
}
