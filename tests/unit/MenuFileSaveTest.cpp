#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "model/CCommands.h"
#include "platform/files/SaveFaults.h"
#include "platform/ini/IniDocument.h"
#include "support/TempFolder.h"

namespace {

using model::CCommand;
using model::CCommands;

std::shared_ptr<CCommand> MakeCommand(const std::wstring& title, const std::wstring& fileName,
                                      const std::wstring& parameters = L"", int showCommand = 10) {
    auto command = std::make_shared<CCommand>();
    command->Title(title);
    command->FileName(fileName);
    command->Operation(L"open");
    command->Parameters(parameters);
    command->ShowCommand(showCommand);
    return command;
}

class MenuFileSave : public ::testing::Test {
protected:
    std::wstring MenuPath() const { return temp.File(L"menu.Larkspur"); }

    CCommands MenuWith(std::vector<std::shared_ptr<CCommand>> commands) const {
        CCommands menu;
        menu.ConfigFileName(MenuPath());
        for (auto& command : commands) menu.Add(command, -1, -1);
        return menu;
    }

    CCommands Reload() const {
        CCommands menu;
        menu.ConfigFileName(MenuPath());
        EXPECT_TRUE(menu.LoadItems());
        return menu;
    }

    std::string Bytes() const { return testsupport::ReadFileBytes(temp.Path() / "menu.Larkspur"); }

    // The file's lines, without empty ones.
    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        std::istringstream in(Bytes());
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty()) lines.push_back(line);
        }
        return lines;
    }

    std::vector<std::wstring> SectionNames() const {
        return platform::ini::IniDocument::FromBytes(Bytes()).SectionNames();
    }

    testsupport::TempFolder temp;
};

TEST_F(MenuFileSave, WritesSectionsAndKeysInTheirOrderWithQuoteProtection) {
    CCommands menu = MenuWith({MakeCommand(L"Notepad", L"notepad.exe", L"-s", 1),
                               MakeCommand(L"List", L"notepad.exe", L"\"C:\\My Files\\list.txt\"", 3)});
    menu.Title(L"Tools");
    menu.Item(0)->Directory(L"C:\\Work");
    menu.Item(1)->Directory(L"C:\\My Files");
    ASSERT_TRUE(menu.SaveItems());
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[Options]", "Title=Tools",
                           "[Item 0]", "Title=Notepad", "FileName=notepad.exe", "Operation=open",
                           "Parameters=-s", "Directory=C:\\Work", "ShowCommand=SW_SHOWNORMAL",
                           "[Item 1]", "Title=List", "FileName=notepad.exe", "Operation=open",
                           "Parameters=\"\"C:\\My Files\\list.txt\"\"", "Directory=C:\\My Files",
                           "ShowCommand=SW_SHOWMAXIMIZED"}));
}

TEST_F(MenuFileSave, RoundTripsQuotedAndCyrillicTextsInEveryField) {
    CCommands menu = MenuWith({
        MakeCommand(L"\"Заголовок в кавычках\"", L"\"C:\\Программы\\ёж.exe\" /a /b",
                    L"/open \"последнее слово\"", 0),
        MakeCommand(L"  \"отступ\"", L"файл.exe", L"внутри \"кавычки\" только", 11),
        MakeCommand(L"\"", L"a\"", L"\"\"", 7),
    });
    menu.Item(0)->Operation(L"\"edit\"");
    menu.Item(1)->Directory(L"  \"C:\\Папка\" ");
    menu.Item(2)->Directory(L"\"C:\\");
    menu.Title(L"Меню «Инструменты»");
    ASSERT_TRUE(menu.SaveItems());

    const CCommands read = Reload();
    EXPECT_EQ(read.Title(), menu.Title());
    ASSERT_EQ(read.Count(), menu.Count());
    for (int i = 0; i < menu.Count(); ++i) {
        SCOPED_TRACE(i);
        const auto expected = menu.Item(i);
        const auto actual = read.Item(i);
        EXPECT_EQ(actual->Title(), expected->Title());
        EXPECT_EQ(actual->FileName(), expected->FileName());
        EXPECT_EQ(actual->Operation(), expected->Operation());
        EXPECT_EQ(actual->Parameters(), expected->Parameters());
        EXPECT_EQ(actual->Directory(), expected->Directory());
        EXPECT_EQ(actual->ShowCommand(), expected->ShowCommand());
    }
}

// As a file dropped as "  leading blanks.txt" gives them.
TEST_F(MenuFileSave, QuotesItemValuesWithBlanksAtAnEndSoThatTheyReadBackWhole) {
    CCommands menu = MenuWith({MakeCommand(L"  leading blanks", L"  leading blanks.txt", L"/x ")});
    menu.Item(0)->Directory(L"\tC:\\Work");
    ASSERT_TRUE(menu.SaveItems());
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "[Options]", "Title=", "[Item 0]", "Title=\"  leading blanks\"",
                           "FileName=\"  leading blanks.txt\"", "Operation=open",
                           "Parameters=\"/x \"", "Directory=\"\tC:\\Work\"",
                           "ShowCommand=SW_SHOWDEFAULT"}));
    const auto read = Reload().Item(0);
    EXPECT_EQ(read->Title(), L"  leading blanks");
    EXPECT_EQ(read->FileName(), L"  leading blanks.txt");
    EXPECT_EQ(read->Parameters(), L"/x ");
    EXPECT_EQ(read->Directory(), L"\tC:\\Work");
}

TEST_F(MenuFileSave, WritesTheMenuTitleWithoutQuoteProtection) {
    CCommands menu = MenuWith({});
    menu.Title(L"\"Tools\"");
    ASSERT_TRUE(menu.SaveItems());
    EXPECT_EQ(Reload().Title(), L"Tools");
}

TEST_F(MenuFileSave, SavesAnEmptyMenuAsTheOptionsSectionAlone) {
    CCommands menu = MenuWith({});
    menu.Title(L"Empty");
    ASSERT_TRUE(menu.SaveItems());
    EXPECT_EQ(Lines(), (std::vector<std::string>{"[Options]", "Title=Empty"}));
}

TEST_F(MenuFileSave, NumbersSectionsByPositionAfterGapsWereRead) {
    testsupport::WriteFileBytes(temp.Path() / "menu.Larkspur",
                                "[Item 0]\r\nTitle=a\r\nFileName=a\r\n[Item 2]\r\nTitle=b\r\nFileName=b\r\n");
    CCommands menu = Reload();
    ASSERT_TRUE(menu.SaveItems());
    EXPECT_EQ(SectionNames(), (std::vector<std::wstring>{L"Options", L"Item 0", L"Item 1"}));
}

TEST_F(MenuFileSave, KeepsNothingOfTheOldFile) {
    testsupport::WriteFileBytes(
        temp.Path() / "menu.Larkspur",
        "; comment\r\n[Options]\r\nTitle=old\r\nExtra=1\r\n[Item 0]\r\nTitle=a\r\nFileName=a\r\n"
        "[Item 1]\r\nTitle=b\r\nFileName=b\r\n[Item 2]\r\nTitle=c\r\nFileName=c\r\n"
        "[Item 3]\r\nTitle=d\r\nFileName=d\r\n[Item 4]\r\nTitle=e\r\nFileName=e\r\n[Other]\r\nk=v\r\n");
    CCommands menu = Reload();
    menu.Remove(4);
    menu.Remove(3);
    ASSERT_TRUE(menu.SaveItems());
    EXPECT_EQ(SectionNames(), (std::vector<std::wstring>{L"Options", L"Item 0", L"Item 1", L"Item 2"}));
    EXPECT_EQ(Bytes().find("Extra"), std::string::npos);
    EXPECT_EQ(Bytes().find("comment"), std::string::npos);
}

TEST_F(MenuFileSave, WritesItemsThatTheNextReadDrops) {
    CCommands menu = MenuWith({MakeCommand(L"", L"a.exe"), MakeCommand(L"kept", L"b.exe"),
                               MakeCommand(L"no file", L"")});
    ASSERT_TRUE(menu.SaveItems());
    EXPECT_EQ(SectionNames(), (std::vector<std::wstring>{L"Options", L"Item 0", L"Item 1", L"Item 2"}));
    const CCommands read = Reload();
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.Item(0)->Title(), L"kept");
}

TEST_F(MenuFileSave, WritesAShowCommandOutsideTheTableAsEmptyWhichReadsAsDefault) {
    CCommands menu = MenuWith({MakeCommand(L"a", L"a.exe", L"", 42)});
    ASSERT_TRUE(menu.SaveItems());
    EXPECT_EQ(Lines().back(), "ShowCommand=");
    EXPECT_EQ(Reload().Item(0)->ShowCommand(), 10);
}

TEST_F(MenuFileSave, AFailedReplaceLeavesTheOldFileAsItWas) {
    const std::string old = "[Options]\r\nTitle=old\r\n[Item 0]\r\nTitle=a\r\nFileName=a\r\n";
    testsupport::WriteFileBytes(temp.Path() / "menu.Larkspur", old);
    CCommands menu = MenuWith({MakeCommand(L"new", L"new.exe")});
    platform::files::FailNextSaveAt(platform::files::SaveStep::Replace);
    EXPECT_FALSE(menu.SaveItems());
    EXPECT_EQ(Bytes(), old);
    EXPECT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.Item(0)->Title(), L"new");
}

TEST_F(MenuFileSave, FailsIntoAFolderThatDoesNotExist) {
    CCommands menu;
    menu.ConfigFileName(temp.File(L"missing folder/menu.Larkspur"));
    EXPECT_FALSE(menu.SaveItems());
}

TEST_F(MenuFileSave, SavingAgainReplacesTheEarlierSave) {
    CCommands menu = MenuWith({MakeCommand(L"a", L"a.exe"), MakeCommand(L"b", L"b.exe")});
    ASSERT_TRUE(menu.SaveItems());
    menu.Remove(0);
    menu.Title(L"second");
    ASSERT_TRUE(menu.SaveItems());
    const CCommands read = Reload();
    EXPECT_EQ(read.Title(), L"second");
    ASSERT_EQ(read.Count(), 1);
    EXPECT_EQ(read.Item(0)->Title(), L"b");
}

}  // namespace
