#include "platform/ini/IniDocument.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/CollidingNames.h"

using platform::ini::IniDocument;

namespace {

std::wstring ValueOf(std::wstring_view text, std::wstring_view section, std::wstring_view key) {
    return std::wstring(
        IniDocument::FromText(std::wstring(text)).Find(section, key).value_or(L"<missing>"));
}

}  // namespace

TEST(IniDocumentReading, FindsAKeyInItsSection) {
    const auto document = IniDocument::FromText(L"[Options]\r\nTitle=Tools\r\n[Item 0]\r\nTitle=Notepad\r\n");
    EXPECT_EQ(document.Find(L"Options", L"Title"), L"Tools");
    EXPECT_EQ(document.Find(L"Item 0", L"Title"), L"Notepad");
}

TEST(IniDocumentReading, MissingSectionOrKeyIsNothing) {
    const auto document = IniDocument::FromText(L"[Options]\r\nTitle=Tools\r\n");
    EXPECT_FALSE(document.Find(L"Item 0", L"Title"));
    EXPECT_FALSE(document.Find(L"Options", L"FileName"));
}

TEST(IniDocumentReading, NamesMatchWithoutRegardToCase) {
    EXPECT_EQ(ValueOf(L"[OPTIONS]\nTITLE=x\n", L"options", L"title"), L"x");
    EXPECT_EQ(ValueOf(L"[Меню]\nЗаголовок=x\n", L"МЕНЮ", L"заголовок"), L"x");
}

TEST(IniDocumentReading, BlanksAroundNamesAndValuesAreNotPartOfThem) {
    EXPECT_EQ(ValueOf(L"  [  Options  ]  \n \t Title \t = \t Tools \t \n", L"Options", L"Title"),
              L"Tools");
    EXPECT_EQ(ValueOf(L"[Options]\nTitle=x\n", L"  Options ", L"\tTitle "), L"x");
}

TEST(IniDocumentReading, BlanksInsideNamesAndValuesStay) {
    EXPECT_EQ(ValueOf(L"[Item  0]\nFile Name=C:\\My  Files\\a b.txt\n", L"Item  0", L"File Name"),
              L"C:\\My  Files\\a b.txt");
    EXPECT_FALSE(IniDocument::FromText(L"[Item  0]\nTitle=x\n").Find(L"Item 0", L"Title"));
}

TEST(IniDocumentReading, CtrlZAndFormFeedAreBlanks) {
    EXPECT_EQ(ValueOf(L"[S]\nk=\x1A value\f\v\x1A\n", L"S", L"k"), L"value");
}

TEST(IniDocumentReading, OnePairOfEnclosingDoubleQuotesIsRemoved) {
    EXPECT_EQ(ValueOf(L"[S]\nk=\"C:\\My Files\\list.txt\"\n", L"S", L"k"), L"C:\\My Files\\list.txt");
    EXPECT_EQ(ValueOf(L"[S]\nk=\"\"quoted\"\"\n", L"S", L"k"), L"\"quoted\"");
    EXPECT_EQ(ValueOf(L"[S]\nk=\"\"\n", L"S", L"k"), L"");
    EXPECT_EQ(ValueOf(L"[S]\nk=  \"  padded  \"  \n", L"S", L"k"), L"  padded  ");
}

TEST(IniDocumentReading, QuotesThatDoNotEncloseTheWholeValueStay) {
    EXPECT_EQ(ValueOf(L"[S]\nk=\"C:\\a b\\x.exe\" -s\n", L"S", L"k"), L"\"C:\\a b\\x.exe\" -s");
    EXPECT_EQ(ValueOf(L"[S]\nk=open \"a\"\n", L"S", L"k"), L"open \"a\"");
    EXPECT_EQ(ValueOf(L"[S]\nk=a\"b\n", L"S", L"k"), L"a\"b");
    EXPECT_EQ(ValueOf(L"[S]\nk=\"\n", L"S", L"k"), L"\"");
}

TEST(IniDocumentReading, SingleQuotesAreKept) {
    EXPECT_EQ(ValueOf(L"[S]\nk='quoted'\n", L"S", L"k"), L"'quoted'");
}

TEST(IniDocumentReading, FirstOfDuplicateKeysWins) {
    EXPECT_EQ(ValueOf(L"[S]\nk=first\nK=second\n", L"S", L"k"), L"first");
}

TEST(IniDocumentReading, FirstOfDuplicateSectionsWinsAndHidesTheLaterOnesKeys) {
    const auto document = IniDocument::FromText(L"[S]\na=1\n[Other]\n[s]\na=2\nb=3\n");
    EXPECT_EQ(document.Find(L"S", L"a"), L"1");
    EXPECT_FALSE(document.Find(L"S", L"b"));
}

TEST(IniDocumentReading, AKeyWithoutEqualsSignHasNoValueAndHidesALaterOne) {
    const auto document = IniDocument::FromText(L"[S]\nTitle\nTitle=x\nOther=\n");
    EXPECT_FALSE(document.Find(L"S", L"Title"));
    EXPECT_EQ(document.Find(L"S", L"Other"), L"");
}

TEST(IniDocumentReading, ValueRunsFromTheFirstEqualsSign) {
    EXPECT_EQ(ValueOf(L"[S]\nParameters=/a=b c=d\n", L"S", L"Parameters"), L"/a=b c=d");
}

TEST(IniDocumentReading, CommentLinesAreKeysLikeAnyOther) {
    const auto document = IniDocument::FromText(L"[S]\n; note=here\nk=v ; not a comment\n");
    EXPECT_EQ(document.Find(L"S", L"k"), L"v ; not a comment");
    EXPECT_EQ(document.Find(L"S", L"; note"), L"here");
}

TEST(IniDocumentReading, SectionNameEndsAtTheLastClosingBracket) {
    const auto document = IniDocument::FromText(L"[a]b] trailing\nk=1\n[c]=d]\nk=2\n");
    EXPECT_EQ(document.Find(L"a]b", L"k"), L"1");
    EXPECT_EQ(document.Find(L"c]=d", L"k"), L"2");
}

TEST(IniDocumentReading, TextAfterTheClosingBracketIsIgnored) {
    EXPECT_EQ(ValueOf(L"[S] ; comment\nk=1\n", L"S", L"k"), L"1");
}

TEST(IniDocumentReading, BracketWithoutClosingBracketIsAKeyOfTheCurrentSection) {
    const auto document = IniDocument::FromText(L"[S]\n[broken=x\nk=1\n");
    EXPECT_EQ(document.Find(L"S", L"[broken"), L"x");
    EXPECT_EQ(document.Find(L"S", L"k"), L"1");
    EXPECT_FALSE(document.Find(L"broken", L"k"));
}

TEST(IniDocumentReading, KeysBeforeTheFirstSectionBelongToTheNamelessSection) {
    const auto document = IniDocument::FromText(L"k=top\n[S]\nk=1\n");
    EXPECT_EQ(document.Find(L"", L"k"), L"top");
    EXPECT_EQ(document.Find(L"S", L"k"), L"1");
}

TEST(IniDocumentReading, AnyRunOfCrAndLfEndsALine) {
    const auto document = IniDocument::FromText(L"[S]\ra=1\n\rb=2\r\r\n\nc=3\n\r\n\rd=4");
    EXPECT_EQ(document.Find(L"S", L"a"), L"1");
    EXPECT_EQ(document.Find(L"S", L"b"), L"2");
    EXPECT_EQ(document.Find(L"S", L"c"), L"3");
    EXPECT_EQ(document.Find(L"S", L"d"), L"4");
}

TEST(IniDocumentReading, NamesAndValuesEndAtNul) {
    using namespace std::string_literals;
    const auto document = IniDocument::FromText(L"[S\0junk]\nk\0x=v\na=va\0lue\n"s);
    EXPECT_EQ(document.Find(L"S", L"k"), L"v");
    EXPECT_EQ(document.Find(L"S", L"a"), L"va");
    EXPECT_EQ(document.Find(L"S"s, L"a\0ignored"s), L"va");
}

// As the profile functions do: the blanks around a name or a value go first, then the NUL
// ends it, so blanks just before a NUL stay.
TEST(IniDocumentReading, BlanksBeforeANulStay) {
    using namespace std::string_literals;
    const auto document = IniDocument::FromText(L"[S]\nTitle=Menu \0\0rest\nkey \0x= v\n"s);
    EXPECT_EQ(document.Find(L"S", L"Title"), L"Menu ");
    EXPECT_EQ(document.Find(L"S", L"key"), std::nullopt);
    EXPECT_EQ(document.KeyNames(L"S"), (std::vector<std::wstring>{L"Title", L"key "}));
}

TEST(IniDocumentReading, EmptyAndBlankTextHasNoSections) {
    EXPECT_TRUE(IniDocument::FromText(L"").SectionNames().empty());
    EXPECT_TRUE(IniDocument::FromText(L" \r\n\t\r\n").SectionNames().empty());
}

TEST(IniDocumentReading, LongLinesAreRead) {
    const std::wstring longValue(3'000'000, L'x');
    EXPECT_EQ(ValueOf(L"[S]\nk=" + longValue + L"\nnext=1\n", L"S", L"k"), longValue);
}

TEST(IniDocumentReading, HundredThousandSectionsAreAllFound) {
    std::wstring text;
    for (int i = 0; i < 100'000; ++i) {
        text += L"[Item " + std::to_wstring(i) + L"]\nTitle=t" + std::to_wstring(i) + L"\n";
    }
    const auto document = IniDocument::FromText(text);
    EXPECT_EQ(document.SectionNames().size(), 100'000u);
    EXPECT_EQ(document.Find(L"item 0", L"title"), L"t0");
    EXPECT_EQ(document.Find(L"Item 99999", L"Title"), L"t99999");
}

// Names made to share one hash are told apart, and a later duplicate in other case stays hidden.
TEST(IniDocumentReading, SectionsWhoseNamesCollideAreAllFound) {
    const std::vector<std::wstring> names = testsupport::CollidingNames(1024);
    std::wstring text;
    for (size_t i = 0; i < names.size(); ++i) {
        text += L"[" + names[i] + L"]\nk=" + std::to_wstring(i) + L"\n";
    }
    std::wstring shouted = names[5];
    std::transform(shouted.begin(), shouted.end(), shouted.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(c - L'a' + L'A'); });
    text += L"[" + shouted + L"]\nk=late\nonly=late\n";
    const auto document = IniDocument::FromText(text);
    size_t found = 0;
    for (size_t i = 0; i < names.size(); ++i) {
        found += document.Find(names[i], L"k") == std::to_wstring(i);
    }
    EXPECT_EQ(found, names.size());
    EXPECT_EQ(document.Find(shouted, L"k"), L"5");
    EXPECT_FALSE(document.Find(names[5], L"only"));
}

// A section is indexed by where its name ends; a longer name may begin with a shorter one.
TEST(IniDocumentReading, SectionsWhoseNamesBeginAlikeAreToldApart) {
    const auto document = IniDocument::FromText(L"[a]]\nk=1\n[a] x\nk=2\n[a]b]\nk=3\n[A\0b]\nk=4\n");
    EXPECT_EQ(document.Find(L"a]", L"k"), L"1");
    EXPECT_EQ(document.Find(L"A", L"k"), L"2");
    EXPECT_EQ(document.Find(L"a]b", L"k"), L"3");
    EXPECT_FALSE(document.Find(L"a]]", L"k"));
    EXPECT_FALSE(document.Find(L"a] x", L"k"));
}

// Sections far apart are indexed as they come; close together, they are counted first.
TEST(IniDocumentReading, SectionsFarApartAndCloseTogetherAreAllFound) {
    std::wstring text;
    for (int i = 0; i < 2'000; ++i) {
        text += L"[Far " + std::to_wstring(i) + L"]\nk=" + std::to_wstring(i) + L"\n;" +
                std::wstring(200, L'x') + L"\n";
    }
    for (int i = 0; i < 2'000; ++i) text += L"[Near " + std::to_wstring(i) + L"]\n";
    const auto document = IniDocument::FromText(text);
    size_t found = 0;
    for (int i = 0; i < 2'000; ++i) {
        found += document.Find(L"far " + std::to_wstring(i), L"K") == std::to_wstring(i);
        found += document.HasSection(L"NEAR " + std::to_wstring(i));
    }
    EXPECT_EQ(found, 4'000u);
}

// The lines of the section last read are kept for the next key: asked for in any order, beyond
// those kept, and after the document changed.
TEST(IniDocumentReading, KeysAreFoundInAnyOrderAfterAnyChange) {
    std::wstring text = L"[Long]\n";
    for (int i = 0; i < 40; ++i) text += L"k" + std::to_wstring(i) + L"=" + std::to_wstring(i) + L"\n";
    text += L"k30=late\n[Next]\nn=1\n";
    auto document = IniDocument::FromText(text);
    for (int i = 39; i >= 0; --i) {
        EXPECT_EQ(document.Find(L"Long", L"k" + std::to_wstring(i)), std::to_wstring(i));
    }
    EXPECT_FALSE(document.Find(L"Long", L"n"));
    EXPECT_EQ(document.Find(L"Next", L"n"), L"1");
    ASSERT_TRUE(document.Set(L"Long", L"added", L"2"));
    EXPECT_EQ(document.Find(L"Next", L"n"), L"1");
    EXPECT_EQ(document.Find(L"Long", L"added"), L"2");
    EXPECT_FALSE(document.Find(L"Next", L"more"));
    ASSERT_TRUE(document.Set(L"Next", L"more", L"3"));
    EXPECT_EQ(document.Find(L"Next", L"more"), L"3");
}

TEST(IniDocumentReading, SectionAndKeyNamesAreListedInFileOrder) {
    const auto document = IniDocument::FromText(L"top=1\n[B]\nx=1\ny\n[A]\n[b]\nz=2\n");
    EXPECT_EQ(document.SectionNames(), (std::vector<std::wstring>{L"B", L"A", L"b"}));
    EXPECT_EQ(document.KeyNames(L"b"), (std::vector<std::wstring>{L"x", L"y"}));
}

TEST(IniDocumentWriting, SetChangesTheFirstKeyInTheFirstSection) {
    auto document = IniDocument::FromText(L"[S]\nk=1\nk=2\n[S]\nk=3\n");
    ASSERT_TRUE(document.Set(L"s", L"K", L"new"));
    EXPECT_EQ(document.ToText(), L"[S]\r\nk=new\r\nk=2\r\n[S]\r\nk=3\r\n");
}

TEST(IniDocumentWriting, NewKeyGoesAtTheEndOfItsSectionAndNewSectionAtTheEnd) {
    auto document = IniDocument::FromText(L"[A]\na=1\n[B]\nb=1\n");
    ASSERT_TRUE(document.Set(L"A", L"c", L"2"));
    ASSERT_TRUE(document.Set(L"C", L"d", L"3"));
    EXPECT_EQ(document.ToText(), L"[A]\r\na=1\r\nc=2\r\n[B]\r\nb=1\r\n[C]\r\nd=3\r\n");
}

// Reading a key keeps only the first lines of a long section: a write after it still finds the
// key or the section's end beyond them.
TEST(IniDocumentWriting, SetAfterAReadGoesBeyondTheLinesItKept) {
    std::wstring text = L"[Long]\n";
    for (int i = 0; i < 40; ++i) text += L"k" + std::to_wstring(i) + L"=" + std::to_wstring(i) + L"\n";
    auto document = IniDocument::FromText(text + L"[Next]\nn=1\n");
    ASSERT_TRUE(document.Find(L"Long", L"k0"));
    ASSERT_TRUE(document.Set(L"Long", L"k35", L"changed"));
    ASSERT_TRUE(document.Find(L"Long", L"k1"));
    ASSERT_TRUE(document.Set(L"Long", L"added", L"2"));
    text.replace(text.find(L"k35=35"), 6, L"k35=changed");
    text += L"added=2\n[Next]\nn=1\n";
    for (size_t at = 0; (at = text.find(L'\n', at)) != std::wstring::npos; at += 2) {
        text.replace(at, 1, L"\r\n");
    }
    EXPECT_EQ(document.ToText(), text);
}

TEST(IniDocumentWriting, ValueIsStoredUnchanged) {
    IniDocument document;
    ASSERT_TRUE(document.Set(L"S", L"k", L"\"\"C:\\My Files\\list.txt\"\""));
    EXPECT_EQ(document.ToText(), L"[S]\r\nk=\"\"C:\\My Files\\list.txt\"\"\r\n");
    EXPECT_EQ(document.Find(L"S", L"k"), L"\"C:\\My Files\\list.txt\"");
}

TEST(IniDocumentWriting, ThousandsOfNewSectionsAreAllFound) {
    IniDocument document;
    for (int i = 0; i < 5'000; ++i) {
        ASSERT_TRUE(document.Set(L"Item " + std::to_wstring(i), L"Title", std::to_wstring(i)));
    }
    size_t found = 0;
    for (int i = 0; i < 5'000; ++i) {
        found += document.Find(L"item " + std::to_wstring(i), L"title") == std::to_wstring(i);
    }
    EXPECT_EQ(found, 5'000u);
}

// Blanks around a value do not survive the file: the document reads as the file will.
TEST(IniDocumentWriting, AValueReadsAsTheFileWillRead) {
    IniDocument document;
    ASSERT_TRUE(document.Set(L"S", L"k", L"  padded \t"));
    ASSERT_TRUE(document.Set(L"S", L"q", L"\"  quoted \""));
    EXPECT_EQ(document.Find(L"S", L"k"), L"padded");
    EXPECT_EQ(document.Find(L"S", L"q"), L"  quoted ");
    const auto reread = IniDocument::FromBytes(document.ToBytes());
    EXPECT_EQ(reread.Find(L"S", L"k"), L"padded");
    EXPECT_EQ(reread.Find(L"S", L"q"), L"  quoted ");
}

TEST(IniDocumentWriting, CommentsAndKeysWithoutValueSurviveARewrite) {
    auto document = IniDocument::FromText(L"; header\n[S]\n;note\nflag\nk = v\n");
    ASSERT_TRUE(document.Set(L"S", L"k", L"w"));
    EXPECT_EQ(document.ToText(), L"; header\r\n[S]\r\n;note\r\nflag\r\nk=w\r\n");
}

TEST(IniDocumentWriting, LineBreaksInAValueCannotStartNewLines) {
    IniDocument document;
    ASSERT_TRUE(document.Set(L"S", L"k", L"a\r\n[Injected]\nx=1"));
    const auto reread = IniDocument::FromText(document.ToText());
    EXPECT_EQ(reread.SectionNames(), std::vector<std::wstring>{L"S"});
    EXPECT_EQ(reread.Find(L"S", L"k"), L"a  [Injected] x=1");
}

TEST(IniDocumentWriting, NamesAFileCannotHoldAreRefused) {
    IniDocument document;
    EXPECT_FALSE(document.Set(L"S", L"a=b", L"v"));
    EXPECT_FALSE(document.Set(L"S", L"[k", L"v"));
    EXPECT_FALSE(document.Set(L"S", L"k\nx", L"v"));
    EXPECT_FALSE(document.Set(L"S\r\n[T]", L"k", L"v"));
    EXPECT_EQ(document.ToText(), L"");
}

TEST(IniDocumentWriting, WrittenTextReadsBackTheSame) {
    IniDocument document;
    ASSERT_TRUE(document.Set(L"Options", L"Title", L"Меню \"Инструменты\""));
    ASSERT_TRUE(document.Set(L"Item 0", L"Parameters", L"\"\"C:\\a b\\x.exe\" -s\""));
    const auto reread = IniDocument::FromBytes(document.ToBytes());
    EXPECT_EQ(reread.Find(L"Options", L"Title"), L"Меню \"Инструменты\"");
    EXPECT_EQ(reread.Find(L"Item 0", L"Parameters"), L"\"C:\\a b\\x.exe\" -s");
}

// A NUL can leave blanks at the end of a value or a name, which a second reading trims; from
// then on writing and reading change nothing.
TEST(IniDocumentWriting, TextWithNulsSettlesAfterOneWriting) {
    using namespace std::string_literals;
    const auto document = IniDocument::FromBytes(
        "[Options]\r\nTitle=\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E \0\0\0\xD1\x82\r\n"
        "[Item 0]\r\nParametersH\0= \"/open \0\"\r\n"s);
    EXPECT_EQ(document.Find(L"Options", L"Title"), L"Меню ");
    const auto once = IniDocument::FromBytes(document.ToBytes());
    const auto twice = IniDocument::FromBytes(once.ToBytes());
    EXPECT_EQ(once.Find(L"Options", L"Title"), L"Меню");
    EXPECT_EQ(once.Find(L"Item 0", L"ParametersH"), L"\"/open");
    EXPECT_EQ(twice.ToBytes(), once.ToBytes());
}
