#include <gtest/gtest.h>

#include <string>

#include "platform/text/CaseFold.h"
#include "platform/text/Encoding.h"

namespace text = platform::text;
using namespace std::string_literals;

namespace {
const std::wstring kReplacement(1, static_cast<wchar_t>(0xFFFD));

// U+1F600, one code point above the BMP, in this build's wide text.
std::wstring Emoji() {
    if constexpr (sizeof(wchar_t) == 2) {
        return std::wstring{static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    } else {
        return std::wstring(1, static_cast<wchar_t>(0x1F600));
    }
}
}  // namespace

TEST(TextUtf8, DecodesAsciiCyrillicAndAboveTheBmp) {
    EXPECT_EQ(text::FromUtf8("Menu"), L"Menu");
    EXPECT_EQ(text::FromUtf8("\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E"), L"Меню");
    EXPECT_EQ(text::FromUtf8("\xF0\x9F\x98\x80"), Emoji());
}

TEST(TextUtf8, EncodesAsciiCyrillicAndAboveTheBmp) {
    EXPECT_EQ(text::ToUtf8(L"Menu"), "Menu");
    EXPECT_EQ(text::ToUtf8(L"Меню"), "\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E");
    EXPECT_EQ(text::ToUtf8(Emoji()), "\xF0\x9F\x98\x80");
}

TEST(TextUtf8, EachMaximalInvalidSubsequenceBecomesOneReplacement) {
    EXPECT_EQ(text::FromUtf8("a\xFF" "b"), L"a" + kReplacement + L"b");
    EXPECT_EQ(text::FromUtf8("a\xE2\x82"), L"a" + kReplacement);            // truncated
    EXPECT_EQ(text::FromUtf8("\xE2\x82z"), kReplacement + L"z");            // cut short
    EXPECT_EQ(text::FromUtf8("\xC0\xAF"), kReplacement + kReplacement);     // overlong
    EXPECT_EQ(text::FromUtf8("\xED\xA0\x80"), kReplacement + kReplacement + kReplacement);
    EXPECT_EQ(text::FromUtf8("\xF4\x90\x80\x80").size(), 4u);               // above U+10FFFF
    EXPECT_EQ(text::FromUtf8("\x80\x80"), kReplacement + kReplacement);     // stray continuations
}

TEST(TextUtf8, NulIsAnOrdinaryCharacter) {
    EXPECT_EQ(text::FromUtf8("a\0b"s), L"a\0b"s);
    EXPECT_TRUE(text::IsValidUtf8("a\0b"s));
}

TEST(TextUtf8, ValidationIsStrict) {
    EXPECT_TRUE(text::IsValidUtf8(""));
    EXPECT_TRUE(text::IsValidUtf8("\xD0\x9C\xF0\x9F\x98\x80\xEF\xBF\xBF"));
    EXPECT_FALSE(text::IsValidUtf8("\xC0\x80"));          // overlong NUL
    EXPECT_FALSE(text::IsValidUtf8("\xE0\x80\x80"));      // overlong
    EXPECT_FALSE(text::IsValidUtf8("\xED\xB0\x80"));      // surrogate
    EXPECT_FALSE(text::IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(text::IsValidUtf8("\xD0"));              // truncated
    EXPECT_FALSE(text::IsValidUtf8("\xCC\xEE\xE8"));      // Windows-1251 text
}

TEST(TextUtf8, LoneSurrogateIsWrittenAsReplacement) {
    const std::wstring lone(1, static_cast<wchar_t>(0xD800));
    EXPECT_EQ(text::ToUtf8(L"a" + lone + L"b"), "a\xEF\xBF\xBD" "b");
}

TEST(TextUtf16, DecodesLittleAndBigEndianWithPairs) {
    EXPECT_EQ(text::FromUtf16Le("M\0\x1C\x04"s), L"MМ");
    EXPECT_EQ(text::FromUtf16Be("\0M\x04\x1C"s), L"MМ");
    EXPECT_EQ(text::FromUtf16Le("\x3D\xD8\x00\xDE"s), Emoji());
}

TEST(TextUtf16, EncodesLittleEndianWithPairs) {
    EXPECT_EQ(text::ToUtf16Le(L"MМ"), "M\0\x1C\x04"s);
    EXPECT_EQ(text::ToUtf16Le(Emoji()), "\x3D\xD8\x00\xDE"s);
}

TEST(TextUtf16, OddLastByteIsDropped) {
    EXPECT_EQ(text::FromUtf16Le("a\0b"s), L"a");
}

TEST(TextUtf16, LoneSurrogatesDoNotBreakTheText) {
    const std::wstring decoded = text::FromUtf16Le("a\0\x00\xD8" "b\0\x00\xDC"s);
    ASSERT_EQ(decoded.size(), 4u);
    EXPECT_EQ(decoded[0], L'a');
    EXPECT_EQ(decoded[2], L'b');
    if constexpr (sizeof(wchar_t) == 2) {
        EXPECT_EQ(decoded[1], static_cast<wchar_t>(0xD800));  // kept, as Windows keeps them
    } else {
        EXPECT_EQ(decoded[1], static_cast<wchar_t>(0xFFFD));
        EXPECT_EQ(decoded[3], static_cast<wchar_t>(0xFFFD));
    }
}

// RFC 2152's own examples, and what Windows writes in an internet shortcut.
TEST(TextUtf7, DecodesRunsOfBase64EndedByADashOrAnyOtherCharacter) {
    EXPECT_EQ(text::FromUtf7(L"Hi Mom -+Jjo--!"), L"Hi Mom -\u263A-!");
    EXPECT_EQ(text::FromUtf7(L"A+ImIDkQ."), L"A\u2262\u0391.");
    EXPECT_EQ(text::FromUtf7(L"+ZeVnLIqe-"), L"\u65E5\u672C\u8A9E");
    EXPECT_EQ(text::FromUtf7(L"Item 3 is +AKM-1."), L"Item 3 is \u00A31.");
    EXPECT_EQ(text::FromUtf7(L"https://+BD8EQAQ4BDwENQRA.+BEAERA-/?q=+BD8EQAQ4BDIENQRC-"),
              L"https://пример.рф/?q=привет");
    EXPECT_EQ(text::FromUtf7(L"+2D3eAA-"), Emoji());
}

TEST(TextUtf7, PlusDashIsAPlusAndHalfACodeUnitIsDropped) {
    EXPECT_EQ(text::FromUtf7(L"1 +- 1 = 2+-"), L"1 + 1 = 2+");
    EXPECT_EQ(text::FromUtf7(L"a+AK-b"), L"ab");
    EXPECT_EQ(text::FromUtf7(L"a+-b+"), L"a+b");
}

TEST(TextWindows1251, MapsCyrillicBothWays) {
    EXPECT_EQ(text::FromWindows1251(0xC0), L'А');
    EXPECT_EQ(text::FromWindows1251(0xFF), L'я');
    EXPECT_EQ(text::FromWindows1251(0xA8), L'Ё');
    EXPECT_EQ(text::FromWindows1251(0xB9), L'№');
    EXPECT_EQ(text::ToWindows1251(L'Ж'), '\xC6');
    EXPECT_EQ(text::ToWindows1251(L'ё'), '\xB8');
}

TEST(TextWindows1251, EveryByteRoundTrips) {
    for (int byte = 0; byte < 256; ++byte) {
        const wchar_t character = text::FromWindows1251(static_cast<unsigned char>(byte));
        EXPECT_EQ(static_cast<unsigned char>(text::ToWindows1251(character)), byte) << byte;
    }
}

TEST(TextWindows1251, CharacterOutsideTheCodePageIsAQuestionMark) {
    EXPECT_EQ(text::ToWindows1251(L'€' + 1), '?');
    EXPECT_EQ(text::ToWindows1251(L'ä'), '?');
}

TEST(TextAscii, OnlyCharactersBelow128AreAscii) {
    EXPECT_TRUE(text::IsAscii(L"Title=Tools\r\n"));
    EXPECT_FALSE(text::IsAscii(L"Title=Меню"));
    EXPECT_FALSE(text::IsAscii(std::wstring(1, static_cast<wchar_t>(0x80))));
}

TEST(TextCaseFold, LowersLatinAndCyrillicKeepingTheLength) {
    EXPECT_EQ(text::FoldCase(L"Item 10"), L"item 10");
    EXPECT_EQ(text::FoldCase(L"ЗАГОЛОВОК Ёж"), L"заголовок ёж");
    EXPECT_EQ(text::FoldCase(L"ÄÖÜ"), L"äöü");
    EXPECT_EQ(text::FoldCase(Emoji()), Emoji());
}

// Names of up to 256 units and longer ones are hashed in two ways; both follow the folding.
TEST(TextCaseFold, NamesHashAlikeExactlyWhenTheyFoldAlike) {
    for (const size_t length : {size_t{12}, size_t{256}, size_t{257}}) {
        const std::wstring name = L"Пункт Item " + std::wstring(length - 11, L'Ж');
        std::wstring other = name;
        other.back() = L'Я';
        EXPECT_EQ(text::HashIgnoringCase(name), text::HashIgnoringCase(text::FoldCase(name)));
        EXPECT_NE(text::HashIgnoringCase(name), text::HashIgnoringCase(other));
    }
}
