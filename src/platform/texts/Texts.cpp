#include "platform/texts/Texts.h"

#include <optional>
#include <vector>

#include "platform/Application.h"
#include "platform/components/CSettings.h"
#include "platform/text/CaseFold.h"
#include "platform/texts/StringTables.h"

namespace platform {

namespace {

constexpr wchar_t kLanguageValue[] = L"Language";

std::optional<unsigned> chosenLanguage;

std::optional<unsigned> LanguageCoded(std::wstring_view code) {
    if (code.empty()) return std::nullopt;
    for (const unsigned language : StringTableLanguages()) {
        const std::optional<std::wstring> own = StringTableText(language, IDS_LANGUAGE_CODE);
        if (own && text::EqualIgnoringCase(*own, code)) return language;
    }
    return std::nullopt;
}

}  // namespace

std::wstring Text(unsigned id) { return StringTableText(CurrentLanguage(), id).value_or(L""); }

std::wstring Text(unsigned id, std::initializer_list<std::wstring_view> inserts) {
    const std::wstring pattern = Text(id);
    std::wstring text;
    text.reserve(pattern.size());
    for (size_t i = 0; i < pattern.size(); ++i) {
        const wchar_t next = i + 1 < pattern.size() ? pattern[i + 1] : L'\0';
        const bool placeholder = pattern[i] == L'%' && next >= L'1' && next <= L'9' &&
                                 static_cast<size_t>(next - L'1') < inserts.size();
        if (placeholder) {
            text += inserts.begin()[next - L'1'];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

void ChooseLanguage() {
    CSettings settings;
    const std::wstring setting =
        settings.ReadValue(kOptionsSection, kLanguageValue, 0, L"", App(), true, 0);
    UseLanguage(PickLanguage(setting, UserInterfaceLanguage()));
}

unsigned PickLanguage(std::wstring_view setting, std::wstring_view userLanguage) {
    for (const std::wstring_view code : {setting, userLanguage, std::wstring_view(L"en")}) {
        if (const std::optional<unsigned> language = LanguageCoded(code)) return *language;
    }
    const std::vector<unsigned> languages = StringTableLanguages();
    return languages.empty() ? 0 : languages.front();
}

unsigned CurrentLanguage() {
    if (!chosenLanguage) chosenLanguage = PickLanguage(L"", UserInterfaceLanguage());
    return *chosenLanguage;
}

void UseLanguage(unsigned language) { chosenLanguage = language; }

}  // namespace platform
