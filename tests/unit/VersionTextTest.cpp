#include "platform/VersionText.h"

#include <gtest/gtest.h>

namespace {

platform::Application VersionOf(int major, int minor, int revision) {
    platform::Application app;
    app.Major = major;
    app.Minor = minor;
    app.Revision = revision;
    return app;
}

}  // namespace

TEST(VersionText, WritesTheDeliveredVersionAsThreeTwoFour) {
    EXPECT_EQ(L"3.02.0046", platform::VersionText(VersionOf(3, 2, 46)));
}

TEST(VersionText, PadsASingleDigitMinorToTwoDigits) {
    EXPECT_EQ(L"1.07.1234", platform::VersionText(VersionOf(1, 7, 1234)));
}

TEST(VersionText, PadsASingleDigitRevisionToFourDigits) {
    EXPECT_EQ(L"1.10.0005", platform::VersionText(VersionOf(1, 10, 5)));
}

TEST(VersionText, WritesZeroMinorAndRevisionAsZeros) {
    EXPECT_EQ(L"2.00.0000", platform::VersionText(VersionOf(2, 0, 0)));
}

TEST(VersionText, WritesAMinorOfThreeDigitsInFull) {
    EXPECT_EQ(L"3.123.0046", platform::VersionText(VersionOf(3, 123, 46)));
}

TEST(VersionText, WritesARevisionOfFiveDigitsInFull) {
    EXPECT_EQ(L"3.02.65535", platform::VersionText(VersionOf(3, 2, 65535)));
}

TEST(VersionText, WritesTheMajorWithoutLeadingZeros) {
    EXPECT_EQ(L"0.02.0046", platform::VersionText(VersionOf(0, 2, 46)));
    EXPECT_EQ(L"12.02.0046", platform::VersionText(VersionOf(12, 2, 46)));
}
