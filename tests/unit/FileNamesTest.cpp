#include "platform/support/FileNames.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FilesTestFolder.h"
#include "platform/files/FileSystem.h"

using platform::esGetFileName;
using platform::esGetFilePath;
using platform::esGetFullFileName;
using platform::esIsFileExist;
using platform::esSetCurrentDirectory;

TEST(FileNamesFolderPart, IsTheFolderWithoutTrailingSeparator) {
    EXPECT_EQ(esGetFilePath(L"C:\\a\\b.txt"), L"C:\\a");
    EXPECT_EQ(esGetFilePath(L"C:\\My Menus\\sub\\m.Larkspur"), L"C:\\My Menus\\sub");
    EXPECT_EQ(esGetFilePath(L"/home/user/m.Larkspur"), L"/home/user");
    EXPECT_EQ(esGetFilePath(L"C:/a\\b/c.txt"), L"C:/a\\b");
    EXPECT_EQ(esGetFilePath(L"\\\\server\\share\\m.Larkspur"), L"\\\\server\\share");
}

TEST(FileNamesFolderPart, RootKeepsItsSeparator) {
    EXPECT_EQ(esGetFilePath(L"C:\\m.Larkspur"), L"C:\\");
    EXPECT_EQ(esGetFilePath(L"/m.Larkspur"), L"/");
}

TEST(FileNamesFolderPart, NameWithoutFolderHasNone) {
    EXPECT_EQ(esGetFilePath(L"m.Larkspur"), L"");
    EXPECT_EQ(esGetFilePath(L""), L"");
    EXPECT_EQ(esGetFilePath(L"C:m.Larkspur"), L"C:");
}

TEST(FileNamesNamePart, IsWhatFollowsTheLastSeparator) {
    EXPECT_EQ(esGetFileName(L"C:\\a\\b.txt", false), L"b.txt");
    EXPECT_EQ(esGetFileName(L"/a/b/Меню.Larkspur", false), L"Меню.Larkspur");
    EXPECT_EQ(esGetFileName(L"C:m.Larkspur", false), L"m.Larkspur");
    EXPECT_EQ(esGetFileName(L"plain", false), L"plain");
    EXPECT_EQ(esGetFileName(L"C:\\a\\", false), L"");
}

TEST(FileNamesNamePart, WithoutExtensionDropsTheLastOne) {
    EXPECT_EQ(esGetFileName(L"C:\\a\\menu.v2.Larkspur", true), L"menu.v2");
    EXPECT_EQ(esGetFileName(L"C:\\a.b\\noext", true), L"noext");
    EXPECT_EQ(esGetFileName(L"C:\\a\\.hidden", true), L".hidden");
}

TEST(FileNamesExistence, OnlyAFileExists) {
    FilesTestFolder folder;
    const std::wstring file = folder.Write(L"Меню.Larkspur", "x");
    EXPECT_TRUE(esIsFileExist(file));
    EXPECT_FALSE(esIsFileExist(folder.RootPath()));
    EXPECT_FALSE(esIsFileExist(folder.PathOf(L"missing.Larkspur")));
    EXPECT_FALSE(esIsFileExist(L""));
}

TEST(FileNamesFullName, RelativeNameIsResolvedInTheCurrentFolder) {
    FilesTestFolder folder;
    const std::wstring before = platform::files::CurrentFolder();
    esSetCurrentDirectory(folder.RootPath());
    folder.Write(L"m.Larkspur", "x");
    const std::wstring full = esGetFullFileName(L"m.Larkspur", true);
    EXPECT_TRUE(std::filesystem::path(FilesTestFolder::FsPath(full)).is_absolute());
    EXPECT_TRUE(std::filesystem::equivalent(FilesTestFolder::FsPath(full),
                                            folder.Root() / "m.Larkspur"));
    EXPECT_EQ(esGetFileName(full, false), L"m.Larkspur");
    esSetCurrentDirectory(before);
}

TEST(FileNamesFullName, AbsoluteNameStays) {
    FilesTestFolder folder;
    const std::wstring file = folder.PathOf(L"m.Larkspur");
    EXPECT_EQ(esGetFullFileName(file, true), file);
}
