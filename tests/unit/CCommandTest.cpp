#include "model/CCommand.h"

#include <gtest/gtest.h>

#include "CCommandPrivateAccess.h"

namespace {

using model::CCommand;

std::wstring Quote(const std::wstring& value) {
    return model::CCommandPrivateAccess::QuoteIniValue(value);
}

TEST(CCommand, NewInstanceHasEmptyTextsAndShowCommandZero) {
    const CCommand command;
    EXPECT_EQ(command.Title(), L"");
    EXPECT_EQ(command.FileName(), L"");
    EXPECT_EQ(command.Operation(), L"");
    EXPECT_EQ(command.Parameters(), L"");
    EXPECT_EQ(command.Directory(), L"");
    EXPECT_EQ(command.ShowCommand(), 0);
}

TEST(CCommand, SettersStoreWhatTheyAreGivenUnchecked) {
    CCommand command;
    command.ShowCommand(-7);
    command.Title(L"  \"Заметки\"  ");
    command.Operation(L"");
    EXPECT_EQ(command.ShowCommand(), -7);
    EXPECT_EQ(command.Title(), L"  \"Заметки\"  ");
    command.ShowCommand(4000);
    EXPECT_EQ(command.ShowCommand(), 4000);
}

CCommand MakeFull() {
    CCommand command;
    command.Title(L"Блокнот");
    command.FileName(L"notepad.exe");
    command.Operation(L"open");
    command.Parameters(L"\"C:\\My Files\\list.txt\"");
    command.Directory(L"C:\\Work");
    command.ShowCommand(3);
    return command;
}

TEST(CCommandClone, CopiesAllSixFields) {
    const CCommand source = MakeFull();
    const std::shared_ptr<CCommand> copy = source.Clone();
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->Title(), source.Title());
    EXPECT_EQ(copy->FileName(), source.FileName());
    EXPECT_EQ(copy->Operation(), source.Operation());
    EXPECT_EQ(copy->Parameters(), source.Parameters());
    EXPECT_EQ(copy->Directory(), source.Directory());
    EXPECT_EQ(copy->ShowCommand(), source.ShowCommand());
}

TEST(CCommandClone, SharesNothingWithItsSource) {
    CCommand source = MakeFull();
    const std::shared_ptr<CCommand> copy = source.Clone();
    copy->Title(L"Copy");
    copy->ShowCommand(0);
    source.Parameters(L"-x");
    EXPECT_EQ(source.Title(), L"Блокнот");
    EXPECT_EQ(source.ShowCommand(), 3);
    EXPECT_EQ(copy->Parameters(), L"\"C:\\My Files\\list.txt\"");
}

TEST(QuoteIniValue, WrapsAValueEnclosedInQuotes) {
    EXPECT_EQ(Quote(L"\"C:\\My Files\\list.txt\""), L"\"\"C:\\My Files\\list.txt\"\"");
}

TEST(QuoteIniValue, WrapsAQuotedPathFollowedBySwitches) {
    EXPECT_EQ(Quote(L"\"C:\\Program Files\\x.exe\" /a /b"),
              L"\"\"C:\\Program Files\\x.exe\" /a /b\"");
}

TEST(QuoteIniValue, WrapsAValueEndingInAQuotedWord) {
    EXPECT_EQ(Quote(L"/open \"read me\""), L"\"/open \"read me\"\"");
}

TEST(QuoteIniValue, KeepsBlanksBeforeAnOpeningQuoteInsideTheNewQuotes) {
    EXPECT_EQ(Quote(L"  \"x\""), L"\"  \"x\"\"");
    EXPECT_EQ(Quote(L"\t\"x\" \t"), L"\"\t\"x\" \t\"");
}

TEST(QuoteIniValue, LeavesQuotesOnlyInsideUnchanged) {
    EXPECT_EQ(Quote(L"/title \"a b\" /go"), L"/title \"a b\" /go");
    EXPECT_EQ(Quote(L"plain"), L"plain");
}

TEST(QuoteIniValue, LeavesEmptyTextUnchanged) { EXPECT_EQ(Quote(L""), L""); }

// Reading trims them: a file dropped as "  leading blanks.txt" keeps its title.
TEST(QuoteIniValue, WrapsAValueThatBeginsOrEndsWithABlank) {
    EXPECT_EQ(Quote(L"  leading blanks"), L"\"  leading blanks\"");
    EXPECT_EQ(Quote(L"trailing\t"), L"\"trailing\t\"");
    EXPECT_EQ(Quote(L"   "), L"\"   \"");
    EXPECT_EQ(Quote(L"\x1A end of file"), L"\"\x1A end of file\"");
}

TEST(QuoteIniValue, WrapsALoneQuote) {
    EXPECT_EQ(Quote(L"\""), L"\"\"\"");
}

}  // namespace
