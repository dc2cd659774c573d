// Saving and reading menu files on the real file system: attributes, stale sections, and a
// round trip that the system's own profile functions read to the same text as we do.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "model/CCommands.h"
#include "platform/ini/IniDocument.h"
#include "platform/ini/IniEncoding.h"
#include "platform/support/IniAccess.h"
#include "platform/text/win32/UserLocaleCodePage.h"
#include "support/TempFolder.h"

namespace {

using model::CCommand;
using model::CCommands;

std::shared_ptr<CCommand> MakeCommand(const std::wstring& title, const std::wstring& fileName,
                                      const std::wstring& parameters = L"",
                                      const std::wstring& directory = L"", int showCommand = 1) {
    auto command = std::make_shared<CCommand>();
    command->Title(title);
    command->FileName(fileName);
    command->Operation(L"open");
    command->Parameters(parameters);
    command->Directory(directory);
    command->ShowCommand(showCommand);
    return command;
}

std::vector<std::wstring> SplitNulList(const std::vector<wchar_t>& buffer) {
    std::vector<std::wstring> items;
    for (size_t at = 0; at < buffer.size() && buffer[at] != L'\0';) {
        items.emplace_back(&buffer[at]);
        at += items.back().size() + 1;
    }
    return items;
}

std::vector<std::wstring> SystemSectionNames(const std::wstring& file) {
    std::vector<wchar_t> buffer(1 << 16, L'\0');
    GetPrivateProfileSectionNamesW(buffer.data(), static_cast<DWORD>(buffer.size()), file.c_str());
    return SplitNulList(buffer);
}

std::vector<std::wstring> SystemKeyNames(const std::wstring& section, const std::wstring& file) {
    std::vector<wchar_t> buffer(1 << 16, L'\0');
    GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(),
                             static_cast<DWORD>(buffer.size()), file.c_str());
    return SplitNulList(buffer);
}

std::wstring SystemValue(const std::wstring& section, const std::wstring& key,
                         const std::wstring& file) {
    std::vector<wchar_t> buffer(1 << 16, L'\0');
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"<missing>",
                                                  buffer.data(), static_cast<DWORD>(buffer.size()),
                                                  file.c_str());
    return std::wstring(buffer.data(), length);
}

class MenuFileWine : public ::testing::Test {
protected:
    std::wstring MenuPath() const { return folder.File(name); }

    CCommands MenuOf(std::vector<std::shared_ptr<CCommand>> commands,
                     const std::wstring& title = L"Tools") const {
        CCommands menu;
        menu.ConfigFileName(MenuPath());
        menu.Title(title);
        for (auto& command : commands) menu.Add(command, -1, -1);
        return menu;
    }

    CCommands Reload() const {
        CCommands menu;
        menu.ConfigFileName(MenuPath());
        EXPECT_TRUE(menu.LoadItems());
        return menu;
    }

    std::string Bytes() const { return testsupport::ReadFileBytes(folder.Path() / name); }
    DWORD Attributes() const { return GetFileAttributesW(MenuPath().c_str()); }

    std::vector<std::wstring> FolderEntries() const {
        std::vector<std::wstring> entries;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            entries.push_back(entry.path().filename().wstring());
        }
        return entries;
    }

    // An earlier menu of two items on disk, then the attributes.
    void OldMenuWith(DWORD attributes) {
        CCommands old = MenuOf({MakeCommand(L"Old 1", L"a.exe"), MakeCommand(L"Old 2", L"b.exe")},
                               L"Old menu");
        ASSERT_TRUE(old.SaveItems());
        ASSERT_TRUE(SetFileAttributesW(MenuPath().c_str(), attributes));
        oldBytes = Bytes();
    }

    testsupport::TempFolder folder;
    std::wstring name = L"Меню «Сервис».Larkspur";
    std::string oldBytes;
};

TEST_F(MenuFileWine, ReadOnlyMenuFileIsRefusedAndStaysByteForByte) {
    OldMenuWith(FILE_ATTRIBUTE_READONLY);
    CCommands menu = MenuOf({MakeCommand(L"New", L"new.exe")}, L"New menu");
    EXPECT_FALSE(menu.SaveItems());
    EXPECT_EQ(Bytes(), oldBytes);
    EXPECT_EQ(Attributes() & FILE_ATTRIBUTE_READONLY, DWORD{FILE_ATTRIBUTE_READONLY});
    EXPECT_EQ(FolderEntries(), std::vector<std::wstring>{name});
}

TEST_F(MenuFileWine, HiddenReadOnlyMenuFileIsRefusedToo) {
    OldMenuWith(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    CCommands menu = MenuOf({MakeCommand(L"New", L"new.exe")}, L"New menu");
    EXPECT_FALSE(menu.SaveItems());
    EXPECT_EQ(Bytes(), oldBytes);
    EXPECT_EQ(FolderEntries(), std::vector<std::wstring>{name});
}

TEST_F(MenuFileWine, MenuFileHeldOpenWithoutSharedDeletionIsRefusedAndStays) {
    OldMenuWith(FILE_ATTRIBUTE_NORMAL);
    // As a program that keeps the file open lets others read and write it, but not replace it.
    HANDLE held = CreateFileW(MenuPath().c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    CCommands menu = MenuOf({MakeCommand(L"New", L"new.exe")}, L"New menu");
    EXPECT_FALSE(menu.SaveItems());
    CloseHandle(held);
    EXPECT_EQ(Bytes(), oldBytes);
    EXPECT_EQ(FolderEntries(), std::vector<std::wstring>{name});
    EXPECT_TRUE(menu.SaveItems()) << "once the file is closed";
}

class MenuFileWineAttributes : public MenuFileWine, public ::testing::WithParamInterface<DWORD> {};

TEST_P(MenuFileWineAttributes, MenuFileIsRebuiltAndKeepsItsAttributes) {
    OldMenuWith(GetParam());
    ASSERT_EQ(Attributes() & GetParam(), GetParam()) << "the file system keeps no such attribute";
    CCommands menu = MenuOf({MakeCommand(L"New", L"new.exe")}, L"New menu");
    EXPECT_TRUE(menu.SaveItems());
    EXPECT_EQ(Attributes() & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM), GetParam());
    const CCommands reread = Reload();
    EXPECT_EQ(reread.Title(), L"New menu");
    ASSERT_EQ(reread.Count(), 1);
    EXPECT_EQ(reread.Item(0)->Title(), L"New");
    EXPECT_EQ(FolderEntries(), std::vector<std::wstring>{name});
}

INSTANTIATE_TEST_SUITE_P(HiddenAndSystem, MenuFileWineAttributes,
                         ::testing::Values(DWORD{FILE_ATTRIBUTE_HIDDEN}, DWORD{FILE_ATTRIBUTE_SYSTEM},
                                           DWORD{FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM}));

TEST_F(MenuFileWine, FewerItemsLeaveNoSectionOfTheLongerOldMenu) {
    std::vector<std::shared_ptr<CCommand>> five;
    for (int i = 0; i < 5; ++i) five.push_back(MakeCommand(L"Item " + std::to_wstring(i), L"x.exe"));
    ASSERT_TRUE(MenuOf(five).SaveItems());
    ASSERT_TRUE(MenuOf({five[0], five[1], five[2]}).SaveItems());
    const std::vector<std::wstring> expected = {L"Options", L"Item 0", L"Item 1", L"Item 2"};
    EXPECT_EQ(SystemSectionNames(MenuPath()), expected);
    EXPECT_EQ(Reload().Count(), 3);
}

// Every value the protection has to get right, in every text field.
std::vector<std::wstring> TrickyTexts() {
    return {
        L"\"a b\"",
        L"\"C:\\Program Files\\x.exe\" /s",
        L"say \"hi\"",
        L"  \"x\"",
        L"Блокнот «Сервис»",
        L"\"C:\\Мои программы\\редактор.exe\" /открыть \"файл.txt\"",
        L"кавычки \"внутри\" текста",
        L"\"",
        L"\"\"",
        L"  leading blanks",
        L"trailing blanks \t",
    };
}

TEST_F(MenuFileWine, RoundTripKeepsEveryFieldAndTheSystemReadsTheSameText) {
    std::vector<std::shared_ptr<CCommand>> commands;
    int showCommand = 0;
    for (const std::wstring& text : TrickyTexts()) {
        commands.push_back(MakeCommand(L"Пункт " + text, L"prog " + text, text, text + L" dir",
                                       showCommand++ % 12));
        commands.push_back(MakeCommand(L"x", L"y", L"", text, 3));
        auto everyField = MakeCommand(text, text, text, text, 10);
        everyField->Operation(text);
        commands.push_back(everyField);
    }
    CCommands menu = MenuOf(commands, L"\"Меню\" \"Инструменты\"");
    ASSERT_TRUE(menu.SaveItems());
    EXPECT_EQ(Bytes().substr(0, 2), "\xFF\xFE") << "text outside ASCII is saved as UTF-16";

    const CCommands reread = Reload();
    // The title is written without protection: the quotes around all of it are read away.
    EXPECT_EQ(reread.Title(), L"Меню\" \"Инструменты");
    ASSERT_EQ(reread.Count(), menu.Count());
    for (int i = 0; i < menu.Count(); ++i) {
        const CCommand& saved = *menu.Item(i);
        const CCommand& read = *reread.Item(i);
        EXPECT_EQ(read.Title(), saved.Title()) << "item " << i;
        EXPECT_EQ(read.FileName(), saved.FileName()) << "item " << i;
        EXPECT_EQ(read.Operation(), saved.Operation()) << "item " << i;
        EXPECT_EQ(read.Parameters(), saved.Parameters()) << "item " << i;
        EXPECT_EQ(read.Directory(), saved.Directory()) << "item " << i;
        EXPECT_EQ(read.ShowCommand(), saved.ShowCommand()) << "item " << i;
    }

    const std::vector<std::wstring> sections = SystemSectionNames(MenuPath());
    ASSERT_EQ(sections.size(), static_cast<size_t>(menu.Count()) + 1);
    size_t keys = 0;
    for (const std::wstring& section : sections) {
        for (const std::wstring& key : SystemKeyNames(section, MenuPath())) {
            ++keys;
            EXPECT_EQ(SystemValue(section, key, MenuPath()),
                      platform::asReadStringFromINI(section, key, L"<missing>", MenuPath(), 0))
                << "[" << testing::PrintToString(section) << "] " << testing::PrintToString(key);
        }
    }
    EXPECT_EQ(keys, 1 + 6 * static_cast<size_t>(menu.Count()));
}

TEST_F(MenuFileWine, AsciiMenuIsSavedAsPlainTextTheSystemReadsTheSame) {
    CCommands menu =
        MenuOf({MakeCommand(L"List", L"notepad.exe", L"\"C:\\My Files\\list.txt\"", L"C:\\Work")});
    ASSERT_TRUE(menu.SaveItems());
    const std::string bytes = Bytes();
    EXPECT_EQ(bytes.find('\0'), std::string::npos) << "plain ASCII, no UTF-16";
    EXPECT_NE(bytes.find("Parameters=\"\"C:\\My Files\\list.txt\"\"\r\n"), std::string::npos);
    EXPECT_EQ(SystemValue(L"Item 0", L"Parameters", MenuPath()), L"\"C:\\My Files\\list.txt\"");
    EXPECT_EQ(SystemValue(L"Options", L"Title", MenuPath()), L"Tools");
}

}  // namespace

namespace {

// With "Use Unicode UTF-8 for worldwide language support" the ANSI code page is 65001; here it
// is 1251 (ru_RU), so the test gives the choice 65001 and the user locale the system reports.
TEST(CodePageWine, AWindows1251MenuIsReadRightWhereTheAnsiCodePageIsUtf8) {
    const std::string bytes = "[Options]\r\nTitle=\xCC\xE5\xED\xFE\r\n";
    ASSERT_EQ(platform::text::UserLocaleAnsiCodePage(), 1251u);
    const unsigned chosen =
        platform::text::LegacyCodePage(65001, platform::text::UserLocaleAnsiCodePage());
    const auto menu =
        platform::ini::IniDocument::FromText(platform::ini::DecodeIniBytes(bytes, chosen));
    EXPECT_EQ(menu.Find(L"Options", L"Title"), L"Меню");
    // What the UTF-8 code page itself makes of it.
    EXPECT_NE(platform::ini::DecodeIniBytes(bytes, 65001).find(L'\uFFFD'), std::wstring::npos);
}

}  // namespace
