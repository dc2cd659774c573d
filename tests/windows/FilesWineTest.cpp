// The file layer on the real Win32 calls: the replace when the POSIX rename is refused, paths
// longer than MAX_PATH, and the current folder beyond it.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/CCommands.h"
#include "platform/files/ExtendedPath.h"
#include "platform/files/FileSystem.h"
#include "platform/files/win32/PosixRename.h"
#include "platform/support/FileNames.h"
#include "support/TempFolder.h"

namespace {

namespace files = platform::files;

// Wine, like Windows before 10 1607 and FAT volumes, has no POSIX rename: it answers
// ERROR_INVALID_PARAMETER and moves nothing, and the save is made by the plain replace. Only
// Windows on NTFS shows the POSIX rename itself.
TEST(FilesReplaceWine, ARefusedPosixRenameFallsBackToThePlainReplace) {
    testsupport::TempFolder folder;
    const std::wstring menu = folder.File(L"menu.Larkspur");
    const std::wstring other = folder.File(L"other.tmp");
    testsupport::WriteFileBytes(menu, "old");
    testsupport::WriteFileBytes(other, "other");
    HANDLE handle = CreateFileW(other.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    EXPECT_EQ(files::RenameReplacingHeldTarget(handle, files::ExtendedPath(menu)),
              DWORD{ERROR_INVALID_PARAMETER});
    CloseHandle(handle);
    EXPECT_EQ(testsupport::ReadFileBytes(menu), "old");

    EXPECT_FALSE(files::SaveAtomically(menu, "saved"));
    EXPECT_EQ(testsupport::ReadFileBytes(menu), "saved");
    EXPECT_EQ(testsupport::ReadFileBytes(other), "other");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

// The installed program is known by the path its install recorded, however it was started.
TEST(FilesNamesWine, AShortNameIsSpelledLong) {
    testsupport::TempFolder folder;
    const std::wstring program = folder.File(L"Программа с длинным именем.exe");
    testsupport::WriteFileBytes(program, "MZ");
    wchar_t shortName[MAX_PATH];
    ASSERT_GT(GetShortPathNameW(program.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(std::wstring(shortName), program);
    EXPECT_EQ(files::LongPath(shortName), program);
}

class LongPathWine : public ::testing::Test {
protected:
    void SetUp() override {
        deep = folder.Path().wstring();
        while (deep.size() < 280) deep += L"\\Папка с длинным именем";
        ASSERT_TRUE(files::CreateFolders(deep));
        menu = deep + L"\\Меню.Larkspur";
        ASSERT_GT(menu.size(), 300u);
    }

    testsupport::TempFolder folder;
    std::wstring deep;
    std::wstring menu;
};

// Names shown and stored stay without the "\\?\" form that the system calls are given.
TEST_F(LongPathWine, AMenuThreeHundredCharactersDeepIsSavedAndRead) {
    model::CCommands saved;
    saved.ConfigFileName(menu);
    saved.Title(L"Глубоко");
    ASSERT_TRUE(saved.SaveItems());
    EXPECT_TRUE(platform::esIsFileExist(menu));
    EXPECT_EQ(platform::esGetFullFileName(menu, true), menu);
    model::CCommands read;
    read.ConfigFileName(menu);
    ASSERT_TRUE(read.LoadItems());
    EXPECT_EQ(read.Title(), L"Глубоко");
    EXPECT_EQ(read.RiskOfSaving(), model::SaveRisk::None);
}

// A current folder of MAX_PATH or more would keep every program started from it from starting:
// the folder is set by its short name, which leads to the same files.
TEST_F(LongPathWine, TheCurrentFolderIsSetByItsShortName) {
    testsupport::WriteFileBytes(menu, "[Options]\r\nTitle=Здесь\r\n");
    const std::wstring before = files::CurrentFolder();
    ASSERT_EQ(files::ChangeCurrentFolder(deep), std::error_code());
    const std::wstring current = files::CurrentFolder();
    EXPECT_LT(current.size(), size_t{MAX_PATH});
    std::string bytes;
    EXPECT_EQ(files::ReadWholeFile(L"Меню.Larkspur", bytes), files::ReadResult::Read);
    ASSERT_EQ(files::ChangeCurrentFolder(before), std::error_code());
    EXPECT_EQ(bytes, "[Options]\r\nTitle=Здесь\r\n");
}

}  // namespace
