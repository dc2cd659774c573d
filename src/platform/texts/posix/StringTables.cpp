#include "platform/texts/StringTables.h"

#include <algorithm>

#include "platform/texts/ScriptTables.h"

namespace platform {

namespace {

const ScriptTable* TableOf(unsigned language) {
    return language < kScriptTableCount ? &kScriptTables[language] : nullptr;
}

}  // namespace

std::vector<unsigned> StringTableLanguages() {
    std::vector<unsigned> languages(kScriptTableCount);
    for (unsigned i = 0; i < kScriptTableCount; ++i) languages[i] = i;
    return languages;
}

std::optional<std::wstring> StringTableText(unsigned language, unsigned id) {
    const ScriptTable* table = TableOf(language);
    if (!table) return std::nullopt;
    const ScriptText* end = table->texts + table->count;
    const ScriptText* found =
        std::find_if(table->texts, end, [id](const ScriptText& text) { return text.id == id; });
    if (found == end) return std::nullopt;
    return std::wstring(found->text);
}

std::vector<unsigned> StringTableIds(unsigned language) {
    std::vector<unsigned> ids;
    if (const ScriptTable* table = TableOf(language)) {
        for (size_t i = 0; i < table->count; ++i) ids.push_back(table->texts[i].id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

}  // namespace platform
