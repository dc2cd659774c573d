#include "platform/ini/IniEncoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/ini/IniDocument.h"
#include "platform/text/Encoding.h"

using platform::ini::DecodeIniBytes;
using platform::ini::EncodeIniText;
using platform::ini::IniDocument;
using namespace std::string_literals;

TEST(IniEncodingReading, Utf16LittleEndianWithBom) {
    EXPECT_EQ(DecodeIniBytes("\xFF\xFE[\0\x1C\x04]\0"s), L"[М]");
}

TEST(IniEncodingReading, Utf16BigEndianWithBom) {
    EXPECT_EQ(DecodeIniBytes("\xFE\xFF\0[\x04\x1C\0]"s), L"[М]");
}

TEST(IniEncodingReading, Utf8WithBom) {
    EXPECT_EQ(DecodeIniBytes("\xEF\xBB\xBFk=\xD0\x9C"), L"k=М");
}

TEST(IniEncodingReading, Utf8WithoutBomWhenValid) {
    EXPECT_EQ(DecodeIniBytes("k=\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E"), L"k=Меню");
}

TEST(IniEncodingReading, LegacyCodePageWhenNotValidUtf8) {
    EXPECT_EQ(DecodeIniBytes("k=\xCC\xE5\xED\xFE", 1251), L"k=Меню");
}

// Under "Use Unicode UTF-8 for worldwide language support" the ANSI code page is 65001, which
// would read such a menu as U+FFFD: the user locale's legacy page reads it, or Windows-1251.
TEST(IniEncodingReading, AnAnsiCodePageOfUtf8GivesWayToTheLegacyOne) {
    using platform::text::LegacyCodePage;
    EXPECT_EQ(LegacyCodePage(1252, 1251), 1252u);
    EXPECT_EQ(LegacyCodePage(65001, 1250), 1250u);
    EXPECT_EQ(LegacyCodePage(65001, 65001), 1251u);
    EXPECT_EQ(LegacyCodePage(65001, 0), 1251u);
    EXPECT_EQ(DecodeIniBytes("k=\xCC\xE5\xED\xFE", LegacyCodePage(65001, 65001)), L"k=Меню");
}

TEST(IniEncodingReading, InvalidUtf8AfterABomIsReplacedNotLost) {
    EXPECT_EQ(DecodeIniBytes("\xEF\xBB\xBFk=a\xFF" "b"),
              L"k=a" + std::wstring(1, static_cast<wchar_t>(0xFFFD)) + L"b");
}

// A file's bytes decoded in the memory they were read into, each character written over bytes
// already read, give the text that decoding a copy gives; also when fewer bytes came than the
// room was made for.
TEST(IniEncodingReading, DecodingWhereTheBytesWereReadGivesTheSameText) {
    const std::string files[] = {
        "\xFF\xFE[\0\x1C\x04]\0=\0\x3D\xD8\x00\xDE"s,  // UTF-16LE, a pair above the BMP
        "\xFE\xFF\0[\x04\x1C\0]\xD8\x3D\xDE\x00"s,      // UTF-16BE
        "\xEF\xBB\xBFk=\xD0\x9C\xFF\xF0\x9F\x98\x80"s,      // UTF-8 with BOM, a bad byte
        "k=\xD0\x9C\xD0\xB5\xD0\xBD\xD1\x8E \xF0\x9F\x98\x80"s,  // UTF-8
        "k=\xCC\xE5\xED\xFE\r\n"s,                          // Windows-1251
        ""s};
    for (const std::string& bytes : files) {
        for (const size_t extra : {size_t{0}, size_t{3}}) {
            platform::ini::IniTextBuffer buffer;
            char* room = buffer.Room(bytes.size() + extra);
            std::copy(bytes.begin(), bytes.end(), room);
            EXPECT_EQ(buffer.Decode(bytes.size(), 1251), DecodeIniBytes(bytes, 1251))
                << testing::PrintToString(bytes) << " in room for " << extra << " more";
        }
    }
}

TEST(IniEncodingWriting, AsciiTextIsWrittenAsAscii) {
    EXPECT_EQ(EncodeIniText(L"[Options]\r\nTitle=Tools\r\n"), "[Options]\r\nTitle=Tools\r\n");
}

TEST(IniEncodingWriting, AnyOtherTextMakesTheWholeFileUtf16WithBom) {
    EXPECT_EQ(EncodeIniText(L"a=М\r\n"), "\xFF\xFE" "a\0=\0\x1C\x04\r\0\n\0"s);
}

TEST(IniEncodingWriting, CyrillicRoundTripsThroughAFile) {
    IniDocument document;
    ASSERT_TRUE(document.Set(L"Меню", L"Заголовок", L"Ёлка «ёж» №1"));
    EXPECT_EQ(IniDocument::FromBytes(document.ToBytes()).Find(L"меню", L"заголовок"),
              L"Ёлка «ёж» №1");
}

TEST(IniEncodingReading, Windows1251MenuIsReadNatively) {
    if constexpr (sizeof(wchar_t) == 2) GTEST_SKIP() << "on Windows the code page is the system's";
    // [Options] Title=Меню, as a Russian system writes it.
    const auto document = IniDocument::FromBytes("[Options]\r\nTitle=\xCC\xE5\xED\xFE\r\n");
    EXPECT_EQ(document.Find(L"Options", L"Title"), L"Меню");
}
