// The forms of paths the file layer gives the system, and the names it refuses.
#include <gtest/gtest.h>

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

TEST(FilesDeviceNames, AreDevicesInAnyCaseFolderOrWithAnExtension) {
    for (const wchar_t* path : {L"CON", L"prn", L"C:\\menus\\Aux", L"nul.txt", L"NUL.tar.gz",
                                L"COM1", L"com9.Larkspur", L"LPT0", L"COM\u00B9", L"CONOUT$",
                                L"LPT1 .txt", L"COM2:", L"\\\\.\\PhysicalDrive0"}) {
        EXPECT_TRUE(files::IsDeviceName(path)) << path;
    }
}

TEST(FilesDeviceNames, SimilarNamesAreFiles) {
    for (const wchar_t* path : {L"CONSOLE", L"COM10", L"nullable.txt", L"C:\\NUL\\menu.Larkspur",
                                L"LPT", L"auxiliary", L".nul", L""}) {
        EXPECT_FALSE(files::IsDeviceName(path)) << path;
    }
}
