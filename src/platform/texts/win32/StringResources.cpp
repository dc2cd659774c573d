#include <windows.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "platform/texts/StringTables.h"
#include "platform/texts/TextIds.h"

namespace platform {

namespace {

// A string table resource holds the texts of 16 ids, block N those from 16 × (N - 1) on, one
// after another as a length in UTF-16 units and the units; a length of 0 is an id without text.
constexpr unsigned kTextsPerBlock = 16;
using BlockTexts = std::array<std::wstring_view, kTextsPerBlock>;

HMODULE Executable() { return GetModuleHandleW(nullptr); }

WORD BlockOf(unsigned id) { return static_cast<WORD>(id / kTextsPerBlock + 1); }

// The texts of `block` in `language` (or, where it has none, in the one the loader falls back
// on); views into the resource, which lasts as long as the process.
BlockTexts TextsOfBlock(WORD block, unsigned language) {
    BlockTexts texts{};
    const HMODULE module = Executable();
    const HRSRC found =
        FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(block), static_cast<WORD>(language));
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* unit = static_cast<const wchar_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!unit) return texts;
    const wchar_t* end = unit + SizeofResource(module, found) / sizeof(wchar_t);
    for (std::wstring_view& text : texts) {
        if (unit >= end || static_cast<size_t>(end - unit - 1) < static_cast<size_t>(*unit)) break;
        text = std::wstring_view(unit + 1, static_cast<size_t>(*unit));
        unit += 1 + *unit;
    }
    return texts;
}

BOOL CALLBACK AddLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR languages) {
    reinterpret_cast<std::vector<unsigned>*>(languages)->push_back(language);
    return TRUE;
}

std::vector<unsigned> LanguagesOfBlock(WORD block) {
    std::vector<unsigned> languages;
    EnumResourceLanguagesW(Executable(), RT_STRING, MAKEINTRESOURCEW(block), AddLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

BOOL CALLBACK AddBlock(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR blocks) {
    if (IS_INTRESOURCE(name)) {
        reinterpret_cast<std::vector<WORD>*>(blocks)->push_back(
            static_cast<WORD>(reinterpret_cast<ULONG_PTR>(name)));
    }
    return TRUE;
}

}  // namespace

std::vector<unsigned> StringTableLanguages() {
    return LanguagesOfBlock(BlockOf(IDS_LANGUAGE_CODE));
}

std::optional<std::wstring> StringTableText(unsigned language, unsigned id) {
    const std::wstring_view text = TextsOfBlock(BlockOf(id), language)[id % kTextsPerBlock];
    if (text.empty()) return std::nullopt;
    return std::wstring(text);
}

// Only the blocks that really are in `language`: the loader would hand out another's.
std::vector<unsigned> StringTableIds(unsigned language) {
    std::vector<WORD> blocks;
    EnumResourceNamesW(Executable(), RT_STRING, AddBlock, reinterpret_cast<LONG_PTR>(&blocks));
    std::sort(blocks.begin(), blocks.end());
    std::vector<unsigned> ids;
    for (const WORD block : blocks) {
        const std::vector<unsigned> languages = LanguagesOfBlock(block);
        if (std::find(languages.begin(), languages.end(), language) == languages.end()) continue;
        const BlockTexts texts = TextsOfBlock(block, language);
        for (unsigned index = 0; index < kTextsPerBlock; ++index) {
            if (!texts[index].empty()) ids.push_back((block - 1u) * kTextsPerBlock + index);
        }
    }
    return ids;
}

}  // namespace platform
