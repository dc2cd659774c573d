#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "CCommandPrivateAccess.h"
#include "model/CCommands.h"

namespace {

using Access = model::CCommandPrivateAccess;

int FromString(const std::wstring& text) { return Access::ShowCommandFromString(text); }

const std::vector<std::wstring> kWriteNames = {
    L"SW_HIDE",     L"SW_SHOWNORMAL",      L"SW_SHOWMINIMIZED", L"SW_SHOWMAXIMIZED",
    L"SW_SHOWNOACTIVATE", L"SW_SHOW",      L"SW_MINIMIZE",      L"SW_SHOWMINNOACTIVE",
    L"SW_SHOWNA",   L"SW_RESTORE",         L"SW_SHOWDEFAULT",   L"SW_FORCEMINIMIZE"};

TEST(ShowCommandFromString, ReadsEveryWriteNameAsItsNumber) {
    for (size_t number = 0; number < kWriteNames.size(); ++number) {
        EXPECT_EQ(FromString(kWriteNames[number]), static_cast<int>(number)) << kWriteNames[number];
    }
}

TEST(ShowCommandFromString, ReadsTheOlderAliases) {
    EXPECT_EQ(FromString(L"HIDE_WINDOW"), 0);
    EXPECT_EQ(FromString(L"SW_NORMAL"), 1);
    EXPECT_EQ(FromString(L"SHOW_OPENWINDOW"), 1);
    EXPECT_EQ(FromString(L"SHOW_ICONWINDOW"), 2);
    EXPECT_EQ(FromString(L"SW_MAXIMIZE"), 3);
    EXPECT_EQ(FromString(L"SHOW_FULLSCREEN"), 3);
    EXPECT_EQ(FromString(L"SHOW_OPENNOACTIVATE"), 4);
}

TEST(ShowCommandFromString, IgnoresLetterCaseAndSurroundingBlanks) {
    EXPECT_EQ(FromString(L"sw_shownormal"), 1);
    EXPECT_EQ(FromString(L"  show_fullscreen  "), 3);
    EXPECT_EQ(FromString(L"\tSw_Restore "), 9);
}

TEST(ShowCommandFromString, MatchesOnlyWholeNames) {
    EXPECT_EQ(FromString(L"SW_SHOWNA"), 8);
    EXPECT_EQ(FromString(L"SW_SHOW"), 5);
    EXPECT_EQ(FromString(L"SW_SHOWMAXIMIZED2"), 10);
    EXPECT_EQ(FromString(L"SW_HID"), 10);
    EXPECT_EQ(FromString(L"SW_HIDE SW_SHOW"), 10);
}

TEST(ShowCommandFromString, FoldsOnlyAsciiLetters) {
    // U+0130 upper-cases to "I" by full Unicode rules, and U+0131 lower-cases from it.
    EXPECT_EQ(FromString(L"sw_h\u0131de"), 10);
    EXPECT_EQ(FromString(L"SW_H\u0130DE"), 10);
}

TEST(ShowCommandFromString, ReadsPlainNumbersInRange) {
    EXPECT_EQ(FromString(L"0"), 0);
    EXPECT_EQ(FromString(L"5"), 5);
    EXPECT_EQ(FromString(L"11"), 11);
    EXPECT_EQ(FromString(L" 7 "), 7);
    EXPECT_EQ(FromString(L"+3"), 3);
    EXPECT_EQ(FromString(L"007"), 7);
}

TEST(ShowCommandFromString, RoundsFractionsHalfToEven) {
    EXPECT_EQ(FromString(L"2.6"), 3);
    EXPECT_EQ(FromString(L"2,6"), 3);
    EXPECT_EQ(FromString(L"2.4"), 2);
    EXPECT_EQ(FromString(L"2.5"), 2);
    EXPECT_EQ(FromString(L"3.5"), 4);
    EXPECT_EQ(FromString(L"2.50001"), 3);
    EXPECT_EQ(FromString(L"0.5"), 0);
    EXPECT_EQ(FromString(L"-0.4"), 0);
    EXPECT_EQ(FromString(L"-0.5"), 0);
    EXPECT_EQ(FromString(L"10.5"), 10);
    EXPECT_EQ(FromString(L"4."), 4);
}

TEST(ShowCommandFromString, GivesTheDefaultForNumbersOutOfRange) {
    EXPECT_EQ(FromString(L"12"), 10);
    EXPECT_EQ(FromString(L"-3"), 10);
    EXPECT_EQ(FromString(L"-1"), 10);
    EXPECT_EQ(FromString(L"-0.6"), 10);
    EXPECT_EQ(FromString(L"11.5"), 10);
    EXPECT_EQ(FromString(L"4294967297"), 10);  // 1 beyond 32 bits would wrap to 1
    EXPECT_EQ(FromString(L"99999999999999999999999999999"), 10);
}

TEST(ShowCommandFromString, GivesTheDefaultForUnreadableText) {
    EXPECT_EQ(FromString(L""), 10);
    EXPECT_EQ(FromString(L"   "), 10);
    EXPECT_EQ(FromString(L"abc"), 10);
    EXPECT_EQ(FromString(L"3abc"), 10);
    EXPECT_EQ(FromString(L"+"), 10);
    EXPECT_EQ(FromString(L"."), 10);
    EXPECT_EQ(FromString(L"1.2.3"), 10);
    EXPECT_EQ(FromString(L"- 3"), 10);
    EXPECT_EQ(FromString(L"0x3"), 10);
}

TEST(ShowCommandToString, GivesTheWriteNameOfEachNumber) {
    for (size_t number = 0; number < kWriteNames.size(); ++number) {
        EXPECT_EQ(Access::ShowCommandToString(static_cast<int>(number)), kWriteNames[number]);
    }
}

TEST(ShowCommandToString, GivesEmptyTextOutsideTheTable) {
    EXPECT_EQ(Access::ShowCommandToString(12), L"");
    EXPECT_EQ(Access::ShowCommandToString(-1), L"");
    EXPECT_EQ(Access::ShowCommandToString(INT32_MIN), L"");
}

TEST(ShowCommandToString, ReadsBackAsTheSameNumber) {
    for (int number = 0; number < 12; ++number) {
        EXPECT_EQ(FromString(Access::ShowCommandToString(number)), number);
    }
    EXPECT_EQ(FromString(Access::ShowCommandToString(42)), 10);
}

TEST(ShowCommandStrings, ListTheWriteNamesInNumberOrder) {
    EXPECT_EQ(model::CCommands().GetShowCommandStrings(), kWriteNames);
}

TEST(ShowCommandStrings, AreANewListOnEveryCall) {
    model::CCommands commands;
    std::vector<std::wstring> first = commands.GetShowCommandStrings();
    first[0] = L"changed";
    first.pop_back();
    EXPECT_EQ(commands.GetShowCommandStrings(), kWriteNames);
}

}  // namespace
