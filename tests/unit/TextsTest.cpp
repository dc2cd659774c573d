// The string tables and the choice of the interface's language. Natively the tables are those
// made from the resource script; under Wine the test executable's own resources, made from it
// by the resource compiler.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "platform/components/CSettings.h"
#include "platform/texts/StringTables.h"
#include "platform/texts/Texts.h"
#include "support/HeadlessFixture.h"

namespace {

using platform::PickLanguage;
using platform::StringTableIds;
using platform::StringTableLanguages;
using platform::StringTableText;

std::wstring CodeOf(unsigned language) {
    return StringTableText(language, IDS_LANGUAGE_CODE).value_or(L"");
}

// What a text inserts: its %1 ... %9, each as often as it comes.
std::multiset<wchar_t> Placeholders(const std::wstring& text) {
    std::multiset<wchar_t> found;
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == L'%' && text[i + 1] >= L'1' && text[i + 1] <= L'9') found.insert(text[++i]);
    }
    return found;
}

TEST(StringTables, HoldRussianAndEnglish) {
    std::vector<std::wstring> codes;
    for (const unsigned language : StringTableLanguages()) codes.push_back(CodeOf(language));
    std::sort(codes.begin(), codes.end());
    EXPECT_EQ(codes, (std::vector<std::wstring>{L"en", L"ru"}));
}

TEST(StringTables, EveryTextIsInEveryLanguage) {
    std::set<unsigned> allIds;
    for (const unsigned language : StringTableLanguages()) {
        for (const unsigned id : StringTableIds(language)) allIds.insert(id);
    }
    ASSERT_GT(allIds.size(), 50u);
    for (const unsigned language : StringTableLanguages()) {
        const std::vector<unsigned> ids = StringTableIds(language);
        for (const unsigned id : allIds) {
            EXPECT_TRUE(std::binary_search(ids.begin(), ids.end(), id))
                << "text " << id << " is missing in the table of " << CodeOf(language);
        }
    }
}

TEST(StringTables, EveryLanguageInsertsWhatTheOthersInsert) {
    const std::vector<unsigned> languages = StringTableLanguages();
    ASSERT_FALSE(languages.empty());
    for (const unsigned id : StringTableIds(languages.front())) {
        const auto expected = Placeholders(StringTableText(languages.front(), id).value_or(L""));
        for (const unsigned language : languages) {
            EXPECT_EQ(expected, Placeholders(StringTableText(language, id).value_or(L"")))
                << "text " << id;
        }
    }
}

TEST(StringTables, TheEnglishTextsHaveNoCyrillicLetter) {
    const unsigned english = PickLanguage(L"en", L"");
    ASSERT_EQ(L"en", CodeOf(english));
    for (const unsigned id : StringTableIds(english)) {
        const std::wstring text = StringTableText(english, id).value_or(L"");
        EXPECT_TRUE(std::none_of(text.begin(), text.end(),
                                 [](wchar_t c) { return c >= 0x0400 && c <= 0x052F; }))
            << text;
    }
}

TEST(Language, FollowsTheDisplayLanguageRussianOrElseEnglish) {
    EXPECT_EQ(L"ru", CodeOf(PickLanguage(L"", L"ru")));
    for (const wchar_t* display : {L"en", L"de", L"uk", L""}) {
        EXPECT_EQ(L"en", CodeOf(PickLanguage(L"", display))) << display;
    }
}

TEST(Language, TheSettingOverridesTheDisplayLanguage) {
    EXPECT_EQ(L"en", CodeOf(PickLanguage(L"en", L"ru")));
    EXPECT_EQ(L"ru", CodeOf(PickLanguage(L"ru", L"en")));
    EXPECT_EQ(L"ru", CodeOf(PickLanguage(L"RU", L"de")));
    EXPECT_EQ(L"ru", CodeOf(PickLanguage(L"fr", L"ru")));  // a language we have not: ignored
}

TEST(Texts, InsertEachValueForItsPlaceholder) {
    platform::UseLanguage(PickLanguage(L"ru", L""));
    EXPECT_EQ(L"Достигнуто ограничение на количество элементов в меню. Текущее - 1000.",
              platform::Text(IDS_LIMIT_REACHED, {L"1000"}));
    EXPECT_EQ(L"В системной библиотеке нет функции №5. Программа будет закрыта.",
              platform::Text(IDS_LIBRARY_FUNCTION_MISSING,
                             {platform::Text(IDS_FUNCTION_ORDINAL, {L"5"})}));
    platform::UseLanguage(PickLanguage(L"en", L""));
    EXPECT_EQ(L"A menu can hold no more than 1000 items.",
              platform::Text(IDS_LIMIT_REACHED, {L"1000"}));
}

class LanguageSettingTest : public testsupport::HeadlessTest {};

TEST_F(LanguageSettingTest, IsReadFromTheOptions) {
    platform::CSettings settings;
    settings.WriteValue(platform::kOptionsSection, L"Language", 0, L"en", app, true, 0);
    platform::ChooseLanguage();
    EXPECT_EQ(L"Save", platform::Text(IDS_BUTTON_SAVE));
    settings.WriteValue(platform::kOptionsSection, L"Language", 0, L"ru", app, true, 0);
    platform::ChooseLanguage();
    EXPECT_EQ(L"Сохранить", platform::Text(IDS_BUTTON_SAVE));
}

}  // namespace
