#include "platform/support/TextTrim.h"

#include <gtest/gtest.h>

#include <string>

using platform::asTrimEx;
using platform::asTrimEx2;
using namespace std::string_literals;

namespace {

// The switches as the callers pass them: five true, then five false.
std::wstring AsFileName(const std::wstring& text) {
    return asTrimEx2(text, true, true, true, true, true, false, false, false, false, false);
}

// One switch on, every other off.
std::wstring Only(int which, const std::wstring& text) {
    bool on[10] = {};
    on[which - 1] = true;
    return asTrimEx2(text, on[0], on[1], on[2], on[3], on[4], on[5], on[6], on[7], on[8], on[9]);
}

}  // namespace

TEST(TrimEx, RemovesSpacesAndTabsAtBothEnds) {
    EXPECT_EQ(asTrimEx(L" \t Notepad \t "), L"Notepad");
    EXPECT_EQ(asTrimEx(L"a  b"), L"a  b");
    EXPECT_EQ(asTrimEx(L" \t "), L"");
    EXPECT_EQ(asTrimEx(L""), L"");
}

TEST(TrimEx, KeepsLineBreaksAndQuotes) {
    EXPECT_EQ(asTrimEx(L"\r\n\"x\"\r\n"), L"\r\n\"x\"\r\n");
}

TEST(TrimEx2CommandLine, QuotedNameFromExplorerBecomesAFileName) {
    EXPECT_EQ(AsFileName(L"\"C:\\My Menus\\a.Larkspur\""), L"C:\\My Menus\\a.Larkspur");
}

TEST(TrimEx2CommandLine, BlanksAndLineBreaksAroundTheNameGo) {
    EXPECT_EQ(AsFileName(L"  \t C:\\Menus\\a.Larkspur \r\n"), L"C:\\Menus\\a.Larkspur");
    EXPECT_EQ(AsFileName(L" \"C:\\My Menus\\a.Larkspur\" \r\n"), L"C:\\My Menus\\a.Larkspur");
    EXPECT_EQ(AsFileName(L"\" C:\\My Menus\\a.Larkspur \""), L"C:\\My Menus\\a.Larkspur");
}

TEST(TrimEx2CommandLine, QuotesInsideTheNameStay) {
    EXPECT_EQ(AsFileName(L"\"a\" b"), L"\"a\" b");
    EXPECT_EQ(AsFileName(L"\"unclosed"), L"\"unclosed");
    EXPECT_EQ(AsFileName(L"\""), L"\"");
}

TEST(TrimEx2CommandLine, OnlyOnePairOfQuotesGoes) {
    EXPECT_EQ(AsFileName(L"\"\"a\"\""), L"\"a\"");
}

TEST(TrimEx2CommandLine, EmptyAndBlankTextStaysEmpty) {
    EXPECT_EQ(AsFileName(L""), L"");
    EXPECT_EQ(AsFileName(L" \r\n "), L"");
    EXPECT_EQ(AsFileName(L"\"\""), L"");
}

TEST(TrimEx2Switches, NoSwitchChangesNothing) {
    EXPECT_EQ(asTrimEx2(L" \"a\" ", false, false, false, false, false, false, false, false, false,
                        false),
              L" \"a\" ");
}

TEST(TrimEx2Switches, OneLeadingBlanks) { EXPECT_EQ(Only(1, L" \ta \t"), L"a \t"); }

TEST(TrimEx2Switches, TwoTrailingBlanks) { EXPECT_EQ(Only(2, L" \ta \t"), L" \ta"); }

TEST(TrimEx2Switches, ThreeMakesLineBreaksAndControlCharactersBlanks) {
    EXPECT_EQ(Only(3, L"\r\na\r\n"), L"\r\na\r\n");  // counts as blanks, removes nothing alone
    EXPECT_EQ(asTrimEx2(L"\r\n\x01 a\x7F\0"s, true, true, true, false, false, false, false, false,
                        false, false),
              L"a");
    EXPECT_EQ(asTrimEx2(L"\r\na\r\n", true, true, false, false, false, false, false, false, false,
                        false),
              L"\r\na\r\n");
}

TEST(TrimEx2Switches, FourRemovesEnclosingDoubleQuotesAndTrimsInside) {
    EXPECT_EQ(Only(4, L"\"a b\""), L"a b");
    EXPECT_EQ(Only(4, L" \"a\" "), L" \"a\" ");  // not enclosing: blanks outside
    EXPECT_EQ(asTrimEx2(L" \" a \" ", true, true, false, true, false, false, false, false, false,
                        false),
              L"a");
}

TEST(TrimEx2Switches, FiveMakesUnicodeSpacesBlanks) {
    const std::wstring text = L"\u00A0\u3000\uFEFFa\u2003\u200B";
    EXPECT_EQ(asTrimEx2(text, true, true, false, false, true, false, false, false, false, false),
              L"a");
    EXPECT_EQ(asTrimEx2(text, true, true, false, false, false, false, false, false, false, false),
              text);
}

TEST(TrimEx2Switches, SixRemovesEnclosingSingleQuotes) {
    EXPECT_EQ(Only(6, L"'a b'"), L"a b");
    EXPECT_EQ(AsFileName(L"'a b'"), L"'a b'");
}

TEST(TrimEx2Switches, SevenCollapsesInnerBlanks) {
    EXPECT_EQ(Only(7, L"a  \t b c"), L"a b c");
}

TEST(TrimEx2Switches, EightRemovesTrailingDots) {
    EXPECT_EQ(Only(8, L".a.b.."), L".a.b");
    EXPECT_EQ(asTrimEx2(L"a. . ", false, true, false, false, false, false, false, true, false,
                        false),
              L"a");
}

TEST(TrimEx2Switches, NineCutsAtTheFirstNul) {
    EXPECT_EQ(Only(9, L"a b\0junk"s), L"a b");
    EXPECT_EQ(Only(1, L"a\0b"s), L"a\0b"s);
}

TEST(TrimEx2Switches, TenRepeatsTheQuoteRemoval) {
    EXPECT_EQ(asTrimEx2(L"\"'\"a\"'\"", false, false, false, true, false, true, false, false,
                        false, true),
              L"a");
    EXPECT_EQ(asTrimEx2(L"\"\"a\"\"", false, false, false, true, false, false, false, false,
                        false, false),
              L"\"a\"");
}
