#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/CCommands.h"
#include "support/TempFolder.h"

using namespace std::string_literals;

// Whatever a menu file holds, reading it ends and yields the items the rules give.
namespace {

using model::CCommands;

class MenuFileBadInput : public ::testing::Test {
protected:
    CCommands Load(const std::string& bytes) {
        testsupport::WriteFileBytes(temp.Path() / "bad.Larkspur", bytes);
        CCommands commands;
        commands.ConfigFileName(temp.File(L"bad.Larkspur"));
        EXPECT_TRUE(commands.LoadItems());
        EXPECT_LE(commands.Count(), commands.MaxItems());
        return commands;
    }

    testsupport::TempFolder temp;
};

std::string RandomBytes(size_t size, unsigned seed) {
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes) byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

const std::string kGoodItem = "\r\n[Item 0]\r\nTitle=good\r\nFileName=good.exe\r\n";

TEST_F(MenuFileBadInput, EmptyFileReadsAsAnEmptyMenu) {
    const CCommands menu = Load("");
    EXPECT_EQ(menu.Count(), 0);
    EXPECT_EQ(menu.Title(), L"");
}

TEST_F(MenuFileBadInput, BinaryNoiseBeforeASectionLeavesTheSectionReadable) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        const CCommands menu = Load(RandomBytes(4096, seed) + kGoodItem);
        ASSERT_GE(menu.Count(), 1) << "seed " << seed;
        EXPECT_EQ(menu.Item(menu.Count() - 1)->FileName(), L"good.exe") << "seed " << seed;
    }
}

TEST_F(MenuFileBadInput, TensOfMegabytesOfNoiseAreRead) {
    Load(RandomBytes(20 * 1024 * 1024, 7));
}

TEST_F(MenuFileBadInput, ANulEndsTheValue) {
    const CCommands menu =
        Load("[Item 0]\r\nTitle=ab\0cd\r\nFileName=x\0.exe\r\n[Item 1]\r\n\0\0\0"s);
    ASSERT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.Item(0)->Title(), L"ab");
    EXPECT_EQ(menu.Item(0)->FileName(), L"x");
}

TEST_F(MenuFileBadInput, InvalidUtf16IsRead) {
    std::string bytes = "\xFF\xFE";
    for (const char c : kGoodItem) bytes += std::string{c, '\0'};
    bytes += "\x00\xD8\x41\x00\x00\xDC\x00\xDC\x00\xD8"s;  // unpaired surrogates
    bytes += "\x5B";                                     // an odd final byte
    const CCommands menu = Load(bytes);
    ASSERT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.Item(0)->FileName(), L"good.exe");
}

TEST_F(MenuFileBadInput, InvalidUtf8IsRead) {
    const CCommands menu = Load("[Item 0]\r\nTitle=\xC3\x28\xFF\xFE\r\nFileName=a.exe\r\n");
    ASSERT_EQ(menu.Count(), 1);
    EXPECT_FALSE(menu.Item(0)->Title().empty());
}

TEST_F(MenuFileBadInput, AMegabyteLineIsReadWhole) {
    const std::string longTitle(1024 * 1024, 'x');
    const CCommands menu = Load("[Item 0]\r\nTitle=" + longTitle + "\r\nFileName=a.exe\r\n");
    ASSERT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.Item(0)->Title().size(), longTitle.size());
}

TEST_F(MenuFileBadInput, AMegabyteLineWithoutBreaksIsRead) {
    Load(std::string(1024 * 1024, '['));
    const CCommands menu = Load("[Item 0" + std::string(1024 * 1024, '=') + kGoodItem);
    EXPECT_EQ(menu.Count(), 1);
}

TEST_F(MenuFileBadInput, AHundredThousandSectionsYieldTheFirstThousandItems) {
    std::string text;
    for (int n = 0; n < 100000; ++n) {
        text += "[Item " + std::to_string(n) + "]\r\nTitle=t" + std::to_string(n) +
                "\r\nFileName=f\r\n";
    }
    const CCommands menu = Load(text);
    ASSERT_EQ(menu.Count(), 1000);
    EXPECT_EQ(menu.Item(999)->Title(), L"t999");
}

TEST_F(MenuFileBadInput, AHundredThousandDuplicateSectionsKeepTheFirst) {
    std::string text;
    for (int n = 0; n < 100000; ++n) text += "[Item 0]\r\nTitle=t" + std::to_string(n) + "\r\nFileName=f\r\n";
    const CCommands menu = Load(text);
    ASSERT_EQ(menu.Count(), 1);
    EXPECT_EQ(menu.Item(0)->Title(), L"t0");
}

}  // namespace
