#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CCommands.h"
#include "support/TempFolder.h"

namespace {

using model::CCommands;

class MenuFileRead : public ::testing::Test {
protected:
    // The menu read from a file holding `text` (UTF-8).
    CCommands Load(const std::string& text) {
        testsupport::WriteFileBytes(temp.Path() / "menu.Larkspur", text);
        CCommands commands;
        commands.ConfigFileName(temp.File(L"menu.Larkspur"));
        EXPECT_TRUE(commands.LoadItems());
        return commands;
    }

    static std::vector<std::wstring> Titles(const CCommands& commands) {
        std::vector<std::wstring> titles;
        for (int i = 0; i < commands.Count(); ++i) titles.push_back(commands.Item(i)->Title());
        return titles;
    }

    testsupport::TempFolder temp;
};

std::string Item(int number, const std::string& title, const std::string& fileName = "x.exe") {
    return "[Item " + std::to_string(number) + "]\r\nTitle=" + title + "\r\nFileName=" + fileName +
           "\r\n";
}

TEST_F(MenuFileRead, ReadsTheTitleAndTheItemsInOrder) {
    const CCommands menu = Load(
        "[Options]\r\nTitle=Tools\r\n"
        "[Item 0]\r\nTitle=Notepad\r\nFileName=notepad.exe\r\nOperation=open\r\nParameters=-s\r\n"
        "Directory=C:\\Work\r\nShowCommand=SW_SHOWNORMAL\r\n"
        "[Item 1]\r\nTitle=List\r\nFileName=notepad.exe\r\nOperation=open\r\n"
        "Parameters=\"\"C:\\My Files\\list.txt\"\"\r\nDirectory=C:\\My Files\r\n"
        "ShowCommand=SW_SHOWMAXIMIZED\r\n");
    EXPECT_EQ(menu.Title(), L"Tools");
    ASSERT_EQ(menu.Count(), 2);
    const auto first = menu.Item(0);
    EXPECT_EQ(first->Title(), L"Notepad");
    EXPECT_EQ(first->FileName(), L"notepad.exe");
    EXPECT_EQ(first->Operation(), L"open");
    EXPECT_EQ(first->Parameters(), L"-s");
    EXPECT_EQ(first->Directory(), L"C:\\Work");
    EXPECT_EQ(first->ShowCommand(), 1);
    const auto second = menu.Item(1);
    EXPECT_EQ(second->Parameters(), L"\"C:\\My Files\\list.txt\"");
    EXPECT_EQ(second->Directory(), L"C:\\My Files");
    EXPECT_EQ(second->ShowCommand(), 3);
}

TEST_F(MenuFileRead, ClosesGapsBetweenSectionNumbers) {
    const CCommands menu = Load(Item(0, "zero") + Item(2, "two") + Item(7, "seven"));
    EXPECT_EQ(Titles(menu), (std::vector<std::wstring>{L"zero", L"two", L"seven"}));
}

TEST_F(MenuFileRead, PlacesItemsByNumberNotByFileOrder) {
    const CCommands menu = Load(Item(3, "three") + Item(1, "one"));
    EXPECT_EQ(Titles(menu), (std::vector<std::wstring>{L"one", L"three"}));
}

TEST_F(MenuFileRead, DropsASectionWithoutTitleOrFileName) {
    const CCommands menu = Load(
        "[Item 0]\r\nFileName=a.exe\r\nOperation=open\r\n"
        "[Item 1]\r\nTitle=\r\nFileName=b.exe\r\n"
        "[Item 2]\r\nTitle=no file\r\nOperation=open\r\nParameters=-x\r\nDirectory=C:\\\r\n"
        "[Item 3]\r\nTitle=empty file\r\nFileName=\r\nShowCommand=3\r\n"
        "[Item 4]\r\nTitle=   \r\nFileName=c.exe\r\n"
        "[Item 5]\r\nTitle=kept\r\nFileName=d.exe\r\n");
    EXPECT_EQ(Titles(menu), (std::vector<std::wstring>{L"kept"}));
}

TEST_F(MenuFileRead, GivesMissingKeysTheirDefaults) {
    const CCommands menu = Load(Item(0, "only two keys", "run.exe"));
    ASSERT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.Item(0)->Operation(), L"open");
    EXPECT_EQ(menu.Item(0)->Parameters(), L"");
    EXPECT_EQ(menu.Item(0)->Directory(), L"");
    EXPECT_EQ(menu.Item(0)->ShowCommand(), 10);
    EXPECT_EQ(menu.Title(), L"");
}

TEST_F(MenuFileRead, ReadsAtMostItems0To999) {
    std::string text;
    for (int n = 0; n < 1000; ++n) text += Item(n, std::to_string(n));
    text += Item(1000, "beyond") + Item(1001, "further");
    const CCommands menu = Load(text);
    ASSERT_EQ(menu.Count(), 1000);
    EXPECT_EQ(menu.Item(999)->Title(), L"999");
}

TEST_F(MenuFileRead, NeverReadsItem1000EvenAlone) {
    EXPECT_EQ(Load(Item(1000, "beyond") + Item(123456, "far")).Count(), 0);
    EXPECT_EQ(Load(Item(999, "last")).Count(), 1);
}

TEST_F(MenuFileRead, ReadsOnlyPlainSectionNumbers) {
    const CCommands menu = Load(Item(1, "one") + "[Item 01]\r\nTitle=padded\r\nFileName=x\r\n" +
                                "[Item +2]\r\nTitle=signed\r\nFileName=x\r\n" +
                                "[Item2]\r\nTitle=joined\r\nFileName=x\r\n");
    EXPECT_EQ(Titles(menu), (std::vector<std::wstring>{L"one"}));
}

TEST_F(MenuFileRead, MatchesSectionAndKeyNamesInAnyCase) {
    const CCommands menu =
        Load("[OPTIONS]\r\ntitle=Tools\r\n[item 0]\r\nTITLE=A\r\nfilename=a.exe\r\nshowcommand=5\r\n");
    EXPECT_EQ(menu.Title(), L"Tools");
    ASSERT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.Item(0)->ShowCommand(), 5);
}

TEST_F(MenuFileRead, ReadsShowCommandNamesAndNumbers) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"sw_maximize", 3}, {"  3  ", 3}, {"7", 7},    {"SHOW_OPENWINDOW", 1}, {"2.6", 3},
        {"12", 10},         {"-1", 10},   {"abc", 10}, {"", 10},               {"SW_HIDE", 0}};
    std::string text;
    for (size_t i = 0; i < cases.size(); ++i) {
        text += Item(static_cast<int>(i), "t") + "ShowCommand=" + cases[i].first + "\r\n";
    }
    const CCommands menu = Load(text);
    ASSERT_EQ(menu.Count(), static_cast<int>(cases.size()));
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(menu.Item(static_cast<int>(i))->ShowCommand(), cases[i].second)
            << "ShowCommand=" << cases[i].first;
    }
}

TEST_F(MenuFileRead, MissingFileReadsAsAnEmptyUntitledMenu) {
    CCommands menu;
    menu.Title(L"before");
    menu.ConfigFileName(temp.File(L"no such menu.Larkspur"));
    EXPECT_TRUE(menu.LoadItems());
    EXPECT_EQ(menu.Title(), L"");
    EXPECT_EQ(menu.Count(), 0);
}

TEST_F(MenuFileRead, AppendsToTheItemsAlreadyThere) {
    testsupport::WriteFileBytes(temp.Path() / "menu.Larkspur", Item(0, "from file"));
    CCommands menu;
    auto existing = std::make_shared<model::CCommand>();
    existing->Title(L"existing");
    menu.Add(existing, -1, -1);
    menu.ConfigFileName(temp.File(L"menu.Larkspur"));
    ASSERT_TRUE(menu.LoadItems());
    EXPECT_EQ(Titles(menu), (std::vector<std::wstring>{L"existing", L"from file"}));
}

TEST_F(MenuFileRead, ReadsCyrillicTextInEveryEncoding) {
    const std::string utf8 = "[Options]\r\nTitle=Меню\r\n" + Item(0, "Блокнот", "блокнот.exe");
    EXPECT_EQ(Load(utf8).Item(0)->FileName(), L"блокнот.exe");
    EXPECT_EQ(Load("\xEF\xBB\xBF" + utf8).Title(), L"Меню");
    // The same text in UTF-16LE with its byte-order mark.
    std::string utf16 = "\xFF\xFE";
    for (const wchar_t c : std::wstring(L"[Options]\r\nTitle=Меню\r\n[Item 0]\r\nTitle=Ёж\r\nFileName=ёж.exe\r\n")) {
        utf16 += static_cast<char>(c & 0xFF);
        utf16 += static_cast<char>((c >> 8) & 0xFF);
    }
    const CCommands fromUtf16 = Load(utf16);
    EXPECT_EQ(fromUtf16.Title(), L"Меню");
    ASSERT_EQ(fromUtf16.Count(), 1);
    EXPECT_EQ(fromUtf16.Item(0)->Title(), L"Ёж");
}

}  // namespace
