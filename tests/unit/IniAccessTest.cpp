#include "platform/support/IniAccess.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "FilesTestFolder.h"

using platform::asReadStringFromINI;
using platform::asWriteStringToINI;
using platform::IniReadSession;
using platform::IniWriteBatch;
using namespace std::string_literals;

namespace {

class IniAccess : public ::testing::Test {
protected:
    std::wstring Read(const std::wstring& section, const std::wstring& key,
                      const std::wstring& fallback = L"<default>") {
        return asReadStringFromINI(section, key, fallback, file, 0);
    }
    bool Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
        return asWriteStringToINI(section, key, value, file, 0);
    }
    std::string Bytes() const { return FilesTestFolder::Read(file); }
    void MakeReadOnly() const {
        std::filesystem::permissions(FilesTestFolder::FsPath(file),
                                     std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
    }

    FilesTestFolder folder;
    std::wstring file = folder.PathOf(L"menu.Larkspur");
};

}  // namespace

TEST_F(IniAccess, MissingFileSectionOrKeyGivesTheDefault) {
    EXPECT_EQ(Read(L"Options", L"Title"), L"<default>");
    folder.Write(L"menu.Larkspur", "[Options]\r\nTitle=Tools\r\n");
    EXPECT_EQ(Read(L"Item 0", L"Title", L"open"), L"open");
    EXPECT_EQ(Read(L"Options", L"FileName", L""), L"");
    EXPECT_EQ(Read(L"Options", L"Title"), L"Tools");
}

TEST_F(IniAccess, ReadRemovesOnePairOfEnclosingDoubleQuotes) {
    folder.Write(L"menu.Larkspur", "[Item 1]\r\nParameters=\"\"C:\\My Files\\list.txt\"\"\r\n");
    EXPECT_EQ(Read(L"Item 1", L"Parameters"), L"\"C:\\My Files\\list.txt\"");
}

TEST_F(IniAccess, WriteCreatesTheFileAsPlainAsciiWithCrLf) {
    ASSERT_TRUE(Write(L"Options", L"Title", L"Tools"));
    ASSERT_TRUE(Write(L"Item 0", L"Title", L"Notepad"));
    ASSERT_TRUE(Write(L"Options", L"Extra", L"1"));
    EXPECT_EQ(Bytes(), "[Options]\r\nTitle=Tools\r\nExtra=1\r\n[Item 0]\r\nTitle=Notepad\r\n");
}

TEST_F(IniAccess, WriteKeepsTheRestOfTheFile) {
    folder.Write(L"menu.Larkspur", "; my menu\r\n[Options]\r\nTitle=Old\r\n[Item 0]\r\nTitle=x\r\n");
    ASSERT_TRUE(Write(L"options", L"title", L"New"));
    EXPECT_EQ(Bytes(), "; my menu\r\n[Options]\r\nTitle=New\r\n[Item 0]\r\nTitle=x\r\n");
}

TEST_F(IniAccess, NonAsciiTextMakesTheFileUtf16WithBom) {
    ASSERT_TRUE(Write(L"Options", L"Title", L"Меню"));
    EXPECT_EQ(Bytes().substr(0, 4), "\xFF\xFE[\0"s);
    EXPECT_EQ(Read(L"Options", L"Title"), L"Меню");
}

TEST_F(IniAccess, WriteIntoAMissingFolderFails) {
    EXPECT_FALSE(asWriteStringToINI(L"S", L"k", L"v", folder.PathOf(L"no such folder/m.ini"), 0));
}

TEST_F(IniAccess, WriteToAReadOnlyFileFailsAndLeavesItAlone) {
    folder.Write(L"menu.Larkspur", "[Options]\r\nTitle=Old\r\n");
    MakeReadOnly();
    EXPECT_FALSE(Write(L"Options", L"Title", L"New"));
    EXPECT_EQ(Bytes(), "[Options]\r\nTitle=Old\r\n");
}

TEST_F(IniAccess, SessionReadsTheFileOnceWhenItOpens) {
    folder.Write(L"menu.Larkspur", "[Options]\r\nTitle=First\r\n");
    {
        IniReadSession session(file);
        folder.Write(L"menu.Larkspur", "[Options]\r\nTitle=Second\r\n");
        EXPECT_EQ(Read(L"Options", L"Title"), L"First");
    }
    EXPECT_EQ(Read(L"Options", L"Title"), L"Second");
}

TEST_F(IniAccess, NestedSessionsShareTheParseUntilTheLastCloses) {
    folder.Write(L"menu.Larkspur", "[Options]\r\nTitle=First\r\n");
    auto outer = std::make_unique<IniReadSession>(file);
    {
        IniReadSession inner(file);
        folder.Write(L"menu.Larkspur", "[Options]\r\nTitle=Second\r\n");
    }
    EXPECT_EQ(Read(L"Options", L"Title"), L"First");
    outer.reset();
    EXPECT_EQ(Read(L"Options", L"Title"), L"Second");
}

TEST_F(IniAccess, SessionSeesOurOwnWrites) {
    folder.Write(L"menu.Larkspur", "[Options]\r\nTitle=First\r\n");
    IniReadSession session(file);
    ASSERT_TRUE(Write(L"Options", L"Title", L"Second"));
    EXPECT_EQ(Read(L"Options", L"Title"), L"Second");
    {
        IniWriteBatch batch(file, IniWriteBatch::Start::FromFile);
        ASSERT_TRUE(Write(L"Options", L"Title", L"Third"));
        EXPECT_EQ(Read(L"Options", L"Title"), L"Second");
        ASSERT_TRUE(batch.Commit());
    }
    EXPECT_EQ(Read(L"Options", L"Title"), L"Third");
}

TEST_F(IniAccess, BatchWritesNothingBeforeCommit) {
    folder.Write(L"menu.Larkspur", "[Options]\r\nTitle=Old\r\n");
    {
        IniWriteBatch batch(file, IniWriteBatch::Start::Empty);
        ASSERT_TRUE(Write(L"Options", L"Title", L"New"));
        EXPECT_EQ(Bytes(), "[Options]\r\nTitle=Old\r\n");
    }
    EXPECT_EQ(Bytes(), "[Options]\r\nTitle=Old\r\n");
}

TEST_F(IniAccess, EmptyBatchKeepsNothingOfTheOldFile) {
    folder.Write(L"menu.Larkspur",
                 "; comment\r\n[Options]\r\nTitle=Old\r\nColor=red\r\n[Item 4]\r\nTitle=x\r\n");
    IniWriteBatch batch(file, IniWriteBatch::Start::Empty);
    ASSERT_TRUE(Write(L"Options", L"Title", L"New"));
    ASSERT_TRUE(Write(L"Item 0", L"Title", L"a"));
    ASSERT_TRUE(batch.Commit());
    EXPECT_EQ(Bytes(), "[Options]\r\nTitle=New\r\n[Item 0]\r\nTitle=a\r\n");
}

TEST_F(IniAccess, FromFileBatchKeepsTheFileThenAddsTheWrites) {
    folder.Write(L"menu.Larkspur", "; comment\r\n[Options]\r\nTitle=Old\r\nColor=red\r\n");
    IniWriteBatch batch(file, IniWriteBatch::Start::FromFile);
    ASSERT_TRUE(Write(L"Options", L"Title", L"New"));
    ASSERT_TRUE(Write(L"Item 0", L"Title", L"a"));
    ASSERT_TRUE(batch.Commit());
    EXPECT_EQ(Bytes(), "; comment\r\n[Options]\r\nTitle=New\r\nColor=red\r\n[Item 0]\r\nTitle=a\r\n");
}

TEST_F(IniAccess, BatchTakesOnlyTheWritesToItsFile) {
    const std::wstring other = folder.PathOf(L"other.ini");
    IniWriteBatch batch(file, IniWriteBatch::Start::Empty);
    ASSERT_TRUE(asWriteStringToINI(L"S", L"k", L"v", other, 0));
    EXPECT_EQ(FilesTestFolder::Read(other), "[S]\r\nk=v\r\n");
    EXPECT_FALSE(std::filesystem::exists(FilesTestFolder::FsPath(file)));
}

TEST_F(IniAccess, CommitOnAReadOnlyFileFailsAndLeavesItAlone) {
    folder.Write(L"menu.Larkspur", "[Options]\r\nTitle=Old\r\n");
    MakeReadOnly();
    IniWriteBatch batch(file, IniWriteBatch::Start::Empty);
    ASSERT_TRUE(Write(L"Options", L"Title", L"New"));
    EXPECT_FALSE(batch.Commit());
    EXPECT_EQ(Bytes(), "[Options]\r\nTitle=Old\r\n");
}

TEST_F(IniAccess, FromFileBatchOnAnUnreadableFileDoesNotCommit) {
    std::filesystem::create_directory(FilesTestFolder::FsPath(file));  // a folder stands there
    IniWriteBatch batch(file, IniWriteBatch::Start::FromFile);
    ASSERT_TRUE(Write(L"Options", L"Title", L"New"));
    EXPECT_FALSE(batch.Commit());
    EXPECT_TRUE(std::filesystem::is_directory(FilesTestFolder::FsPath(file)));
}

TEST_F(IniAccess, ValuesRoundTripUnchangedThroughTheFile) {
    const std::wstring values[] = {L"\"\"C:\\My Files\\list.txt\"\"", L"Меню «ёж»", L"a=b;c",
                                   L"'single'", L"\"\"C:\\a b\\x.exe\" -s\""};
    {
        IniWriteBatch batch(file, IniWriteBatch::Start::Empty);
        for (size_t i = 0; i < std::size(values); ++i) {
            ASSERT_TRUE(Write(L"Item 0", L"Key" + std::to_wstring(i), values[i]));
        }
        ASSERT_TRUE(batch.Commit());
    }
    EXPECT_EQ(Read(L"Item 0", L"Key0"), L"\"C:\\My Files\\list.txt\"");
    EXPECT_EQ(Read(L"Item 0", L"Key1"), L"Меню «ёж»");
    EXPECT_EQ(Read(L"Item 0", L"Key2"), L"a=b;c");
    EXPECT_EQ(Read(L"Item 0", L"Key3"), L"'single'");
    EXPECT_EQ(Read(L"Item 0", L"Key4"), L"\"C:\\a b\\x.exe\" -s");
}
