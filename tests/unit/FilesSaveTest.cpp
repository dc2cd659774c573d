#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FilesTestFolder.h"
#include "platform/files/FileRefusals.h"
#include "platform/files/FileSystem.h"
#include "platform/files/SaveFaults.h"

namespace files = platform::files;
using files::SaveStep;

namespace {

bool Saved(const std::wstring& path, std::string_view bytes) {
    return !files::SaveAtomically(path, bytes);
}

class FilesSave : public ::testing::Test {
protected:
    FilesTestFolder folder;
    std::wstring file = folder.PathOf(L"menu.Larkspur");
};

class FilesSaveFailure : public FilesSave, public ::testing::WithParamInterface<SaveStep> {};

}  // namespace

TEST_F(FilesSave, CreatesANewFile) {
    EXPECT_TRUE(Saved(file, "new content"));
    EXPECT_EQ(FilesTestFolder::Read(file), "new content");
    EXPECT_EQ(folder.Entries(), std::vector<std::wstring>{L"menu.Larkspur"});
}

TEST_F(FilesSave, ReplacesTheOldContentAndLeavesNoTemporaryFile) {
    folder.Write(L"menu.Larkspur", std::string(100'000, 'o'));
    EXPECT_TRUE(Saved(file, "short"));
    EXPECT_EQ(FilesTestFolder::Read(file), "short");
    EXPECT_EQ(folder.Entries(), std::vector<std::wstring>{L"menu.Larkspur"});
}

TEST_F(FilesSave, SavesEmptyAndBinaryContent) {
    const std::string binary("\0\xFF\r\n\x1A", 5);
    EXPECT_TRUE(Saved(file, binary));
    EXPECT_EQ(FilesTestFolder::Read(file), binary);
    EXPECT_TRUE(Saved(file, ""));
    EXPECT_EQ(FilesTestFolder::Read(file), "");
}

TEST_F(FilesSave, ReadOnlyFileIsRefusedAndStaysUntouched) {
    folder.Write(L"menu.Larkspur", "old");
    const auto path = FilesTestFolder::FsPath(file);
    std::filesystem::permissions(path, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    EXPECT_FALSE(Saved(file, "new"));
    EXPECT_EQ(FilesTestFolder::Read(file), "old");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);
    EXPECT_EQ(folder.Entries(), std::vector<std::wstring>{L"menu.Larkspur"});
}

TEST_F(FilesSave, KeepsTheOldFilesPermissions) {
    folder.Write(L"menu.Larkspur", "old");
    const auto path = FilesTestFolder::FsPath(file);
    using std::filesystem::perms;
    std::filesystem::permissions(path, perms::owner_read | perms::owner_write | perms::group_read);
    const perms before = std::filesystem::status(path).permissions();
    EXPECT_TRUE(Saved(file, "new"));
    EXPECT_EQ(std::filesystem::status(path).permissions(), before);
}

TEST_F(FilesSave, FolderInThePlaceOfTheFileIsRefused) {
    std::filesystem::create_directory(FilesTestFolder::FsPath(file));
    EXPECT_FALSE(Saved(file, "new"));
    EXPECT_TRUE(std::filesystem::is_directory(FilesTestFolder::FsPath(file)));
    EXPECT_EQ(folder.Entries(), std::vector<std::wstring>{L"menu.Larkspur"});
}

TEST_F(FilesSave, MissingFolderFailsAndCreatesNothing) {
    EXPECT_FALSE(Saved(folder.PathOf(L"missing/menu.Larkspur"), "new"));
    EXPECT_TRUE(folder.Entries().empty());
}

TEST_P(FilesSaveFailure, LeavesTheOldFileExactlyAsItWas) {
    const std::string old = "[Options]\r\nTitle=Old\r\n" + std::string(50'000, 'x');
    folder.Write(L"menu.Larkspur", old);
    files::FailNextSaveAt(GetParam());
    EXPECT_FALSE(Saved(file, "[Options]\r\nTitle=New\r\n"));
    EXPECT_EQ(FilesTestFolder::Read(file), old);
    EXPECT_EQ(folder.Entries(), std::vector<std::wstring>{L"menu.Larkspur"});
    // The failure was for one save only.
    EXPECT_TRUE(Saved(file, "later"));
    EXPECT_EQ(FilesTestFolder::Read(file), "later");
}

TEST_P(FilesSaveFailure, CreatesNothingWhereThereWasNoFile) {
    if (GetParam() == SaveStep::CopyAttributes) GTEST_SKIP() << "a new file has none to copy";
    files::FailNextSaveAt(GetParam());
    EXPECT_FALSE(Saved(file, "new"));
    EXPECT_TRUE(folder.Entries().empty());
}

INSTANTIATE_TEST_SUITE_P(EveryStep, FilesSaveFailure,
                         ::testing::Values(SaveStep::CreateTemporary, SaveStep::Write,
                                           SaveStep::Flush, SaveStep::CopyAttributes,
                                           SaveStep::Replace));

TEST(FilesRead, ReadsTheWholeFile) {
    FilesTestFolder folder;
    const std::string bytes = std::string("\xFF\xFE\0x", 4) + std::string(200'000, 'y');
    const std::wstring file = folder.Write(L"data.bin", bytes);
    std::string read;
    EXPECT_EQ(files::ReadWholeFile(file, read), files::ReadResult::Read);
    EXPECT_EQ(read, bytes);
}

TEST(FilesRead, TellsAMissingFileFromAnUnreadableOne) {
    FilesTestFolder folder;
    std::string read = "stale";
    EXPECT_EQ(files::ReadWholeFile(folder.PathOf(L"missing.ini"), read), files::ReadResult::Missing);
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(files::ReadWholeFile(folder.PathOf(L"missing/x.ini"), read),
              files::ReadResult::Missing);
    EXPECT_EQ(files::ReadWholeFile(folder.RootPath(), read), files::ReadResult::Failed);
}

TEST(FilesQuery, FileIsAFileAndFolderIsAFolder) {
    FilesTestFolder folder;
    const std::wstring file = folder.Write(L"a.txt", "x");
    EXPECT_TRUE(files::IsFile(file));
    EXPECT_FALSE(files::IsFolder(file));
    EXPECT_TRUE(files::IsFolder(folder.RootPath()));
    EXPECT_FALSE(files::IsFile(folder.RootPath()));
    EXPECT_FALSE(files::IsFile(folder.PathOf(L"missing")));
}

TEST(FilesFolders, CreatesNestedFoldersAndAcceptsExistingOnes) {
    FilesTestFolder folder;
    const std::wstring nested = folder.PathOf(L"a/b/Папка");
    EXPECT_TRUE(files::CreateFolders(nested));
    EXPECT_TRUE(files::IsFolder(nested));
    EXPECT_TRUE(files::CreateFolders(nested));
}

TEST(FilesFolders, CurrentFolderChangesAndRelativePathsFollowIt) {
    FilesTestFolder folder;
    const std::wstring before = files::CurrentFolder();
    ASSERT_EQ(files::ChangeCurrentFolder(folder.RootPath()), std::error_code());
    EXPECT_TRUE(std::filesystem::equivalent(FilesTestFolder::FsPath(files::CurrentFolder()),
                                            folder.Root()));
    folder.Write(L"menu.Larkspur", "x");
    const std::wstring full = files::FullPath(L"menu.Larkspur");
    EXPECT_TRUE(std::filesystem::equivalent(FilesTestFolder::FsPath(full),
                                            folder.Root() / "menu.Larkspur"));
    EXPECT_TRUE(files::FullPath(L"sub/../menu.Larkspur") == full);
    EXPECT_NE(files::ChangeCurrentFolder(folder.PathOf(L"missing")), std::error_code());
    ASSERT_EQ(files::ChangeCurrentFolder(before), std::error_code());
}

TEST(FilesRead, RefusesAFileLargerThanAskedUnread) {
    FilesTestFolder folder;
    const std::wstring file = folder.Write(L"big.ini", std::string(1001, 'x'));
    std::string read;
    const files::ReadStatus large = files::ReadWholeFile(file, read, {.largestFile = 1000});
    EXPECT_EQ(large, files::ReadResult::Failed);
    EXPECT_TRUE(files::IsRefusal(large.error, files::FileRefusal::TooLarge));
    EXPECT_TRUE(read.empty());
    EXPECT_EQ(files::ReadWholeFile(file, read, {.largestFile = 1001}), files::ReadResult::Read);
}

// A change that keeps the size and the time stamp is still seen: the bytes' hash differs.
TEST(FilesStamp, TellsAChangedFileFromTheOneWrittenOrRead) {
    FilesTestFolder folder;
    const std::wstring file = folder.PathOf(L"menu.Larkspur");
    files::FileStamp written;
    ASSERT_FALSE(files::SaveAtomically(file, "[Options]\r\nTitle=A\r\n", std::nullopt, &written));
    EXPECT_FALSE(files::HasChanged(file, written));
    std::string bytes;
    EXPECT_EQ(files::ReadWholeFile(file, bytes).stamp, written);

    const auto path = FilesTestFolder::FsPath(file);
    const auto time = std::filesystem::last_write_time(path);
    folder.Write(L"menu.Larkspur", "[Options]\r\nTitle=B\r\n");
    std::filesystem::last_write_time(path, time);
    EXPECT_TRUE(files::HasChanged(file, written));

    std::filesystem::remove(path);
    EXPECT_TRUE(files::HasChanged(file, written));
    EXPECT_FALSE(files::HasChanged(file, std::nullopt));
    folder.Write(L"menu.Larkspur", "");
    EXPECT_TRUE(files::HasChanged(file, std::nullopt));
}

TEST_F(FilesSave, ThroughASymbolicLinkTheFileItPointsToIsReplacedAndTheLinkStays) {
#ifdef _WIN32
    GTEST_SKIP() << "Wine makes no symbolic links: tests/e2e/test_save_over_others.sh saves "
                    "through one that Linux made";
#endif
    std::filesystem::create_directory(folder.Root() / "real");
    const std::wstring real = folder.Write(L"real/menu.Larkspur", "old");
    std::filesystem::create_symlink("real/menu.Larkspur", FilesTestFolder::FsPath(file));
    EXPECT_TRUE(Saved(file, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(FilesTestFolder::FsPath(file)));
    EXPECT_EQ(FilesTestFolder::Read(real), "new");
}
