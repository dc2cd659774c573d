// The executable's string tables, as the resource compiler made them, against the tables read
// from the same script at build time: the native build shows what Windows shows.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/texts/ScriptTables.h"
#include "platform/texts/StringTables.h"
#include "platform/texts/TextIds.h"

namespace {

std::wstring CodeOf(unsigned language) {
    return platform::StringTableText(language, IDS_LANGUAGE_CODE).value_or(L"");
}

std::wstring CodeOf(const platform::ScriptTable& table) {
    for (size_t i = 0; i < table.count; ++i) {
        if (table.texts[i].id == IDS_LANGUAGE_CODE) return table.texts[i].text;
    }
    return L"";
}

// The resource language whose table calls itself `code`.
unsigned ResourceLanguageCoded(const std::wstring& code) {
    for (const unsigned language : platform::StringTableLanguages()) {
        if (CodeOf(language) == code) return language;
    }
    return 0;
}

TEST(StringResources, HoldEachTextOfTheScriptAsItIsWritten) {
    ASSERT_EQ(platform::kScriptTableCount, platform::StringTableLanguages().size());
    for (size_t t = 0; t < platform::kScriptTableCount; ++t) {
        const platform::ScriptTable& table = platform::kScriptTables[t];
        const unsigned language = ResourceLanguageCoded(CodeOf(table));
        ASSERT_NE(0u, language) << CodeOf(table);
        std::vector<unsigned> ids;
        for (size_t i = 0; i < table.count; ++i) {
            ids.push_back(table.texts[i].id);
            EXPECT_EQ(table.texts[i].text,
                      platform::StringTableText(language, table.texts[i].id).value_or(L"<none>"))
                << CodeOf(table) << " text " << table.texts[i].id;
        }
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, platform::StringTableIds(language)) << CodeOf(table);
    }
}

// The display language is matched by the table's code; the system's own texts (message box
// buttons, error reasons) by the table's LANGUAGE statement. Both have to name one language.
TEST(StringResources, EachTableIsInTheLanguageItsCodeNames) {
    for (const unsigned language : platform::StringTableLanguages()) {
        wchar_t code[9] = L"";
        GetLocaleInfoW(MAKELCID(language, SORT_DEFAULT), LOCALE_SISO639LANGNAME, code, 9);
        EXPECT_EQ(CodeOf(language), code) << std::hex << language;
    }
}

}  // namespace
