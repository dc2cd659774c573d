#include "support/CollidingNames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using testsupport::CollidingNames;
using testsupport::FormerSectionHash;

// FNV-1a's published 64-bit values of these texts, cut to their low 32 bits.
TEST(CollidingNames, FormerHashIsFnv1aCutTo32Bits) {
    EXPECT_EQ(FormerSectionHash(L"a"), 0x8601EC8Cu);       // 0xAF63DC4C8601EC8C
    EXPECT_EQ(FormerSectionHash(L"foobar"), 0xF73967E8u);  // 0x85944171F73967E8
}

TEST(CollidingNames, AreDifferentLowerCaseNamesOfOneHash) {
    const std::vector<std::wstring> names = CollidingNames(1000);
    ASSERT_EQ(names.size(), 1000u);
    EXPECT_EQ(std::set<std::wstring>(names.begin(), names.end()).size(), names.size());
    const std::uint32_t hash = FormerSectionHash(names.front());
    const auto isLowerCase = [](wchar_t c) { return c >= L'a' && c <= L'z'; };
    EXPECT_TRUE(std::all_of(names.begin(), names.end(), [&](const std::wstring& name) {
        return FormerSectionHash(name) == hash && std::all_of(name.begin(), name.end(), isLowerCase);
    }));
}
