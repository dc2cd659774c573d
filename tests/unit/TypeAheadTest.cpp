// Finding a row by typing: the order in which titles are tried.
#include <gtest/gtest.h>

#include "ui/TypeAhead.h"

namespace {

using ui::FindTypedRow;
using Titles = std::vector<std::wstring>;

TEST(TypeAheadTest, ATitleThatBeginsWithTheTextComesFirstFromTheCurrentRowOnWrapping) {
    const Titles titles{L"Open notes", L"Keynote", L"Notepad", L"Notes", L"Консоль"};
    EXPECT_EQ(FindTypedRow(titles, L"note", 0), 2);
    EXPECT_EQ(FindTypedRow(titles, L"note", 3), 3);
    EXPECT_EQ(FindTypedRow(titles, L"note", 4), 2);
}

TEST(TypeAheadTest, ThenAWordThatBeginsWithItThenAnyTitleThatContainsIt) {
    const Titles titles{L"Keynote", L"Open (notes)", L"Консоль"};
    EXPECT_EQ(FindTypedRow(titles, L"note", 0), 1);
    EXPECT_EQ(FindTypedRow(titles, L"ynot", 1), 0);
    EXPECT_EQ(FindTypedRow(titles, L"xyz", 1), -1);
}

TEST(TypeAheadTest, CaseDoesNotMatterCyrillicIncluded) {
    const Titles titles{L"Блокнот", L"Командная строка"};
    EXPECT_EQ(FindTypedRow(titles, L"КОМ", 0), 1);
    EXPECT_EQ(FindTypedRow(titles, L"СТР", 0), 1);
    EXPECT_EQ(FindTypedRow(titles, L"бЛоК", 1), 0);
}

TEST(TypeAheadTest, OneCharacterGoesToTheNextTitleBeginningWithItAndNowhereElse) {
    const Titles titles{L"Notepad", L"Консоль", L"Notes", L"Keynote"};
    EXPECT_EQ(FindTypedRow(titles, L"n", 0), 2);
    EXPECT_EQ(FindTypedRow(titles, L"n", 2), 0);
    EXPECT_EQ(FindTypedRow(titles, L"n", -1), 0);
    EXPECT_EQ(FindTypedRow(titles, L"y", 0), -1);
}

TEST(TypeAheadTest, OneKeyPressedAgainGoesOnToTheNextTitleBeginningWithIt) {
    const Titles titles{L"Notepad", L"Консоль", L"Notes", L"Annals"};
    EXPECT_EQ(FindTypedRow(titles, L"nn", 0), 2);
    EXPECT_EQ(FindTypedRow(titles, L"nnn", 2), 0);
}

}  // namespace
