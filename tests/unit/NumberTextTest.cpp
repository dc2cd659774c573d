#include <gtest/gtest.h>

#include <climits>

#include "platform/text/NumberText.h"

using platform::text::Decimal;
using platform::text::Hexadecimal;
using platform::text::ParseDecimal;

TEST(NumberText, DecimalWritesEveryNumberAsToWstringWould) {
    for (long long value : {0LL, 7LL, -7LL, 1000LL, 2147483647LL, LLONG_MAX, LLONG_MIN}) {
        EXPECT_EQ(std::to_wstring(value), Decimal(value));
    }
}

TEST(NumberText, ParseDecimalTakesOnlyAWholeIntNumber) {
    EXPECT_EQ(0, ParseDecimal(L"0"));
    EXPECT_EQ(-120, ParseDecimal(L"-120"));
    EXPECT_EQ(INT_MAX, ParseDecimal(L"2147483647"));
    EXPECT_EQ(INT_MIN, ParseDecimal(L"-2147483648"));
    for (const wchar_t* text : {L"", L"-", L"+1", L" 1", L"1 ", L"1x", L"2147483648",
                                L"-2147483649", L"99999999999999999999"}) {
        EXPECT_FALSE(ParseDecimal(text).has_value()) << text;
    }
}

TEST(NumberText, HexadecimalKeepsTheLastDigitsWithLeadingZeros) {
    EXPECT_EQ(L"0419", Hexadecimal(0x419, 4));
    EXPECT_EQ(L"04b0", Hexadecimal(1200, 4));
    EXPECT_EQ(L"deadbeef", Hexadecimal(0xDEADBEEF, 8));
    EXPECT_EQ(L"ef", Hexadecimal(0xDEADBEEF, 2));
}
