// Any bytes as an INI file: parsing ends; writing the document out and reading it again gives
// the same value for every name a caller can ask for, and a second writing changes nothing.
// The one exception is a name or value that a NUL cut just after a blank: like the profile
// functions, the reader keeps that blank, and the next reading trims it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "CaseFoldingSetUp.h"
#include "platform/ini/IniDocument.h"

namespace {

// The blanks the reader trims (see IniDocument.cpp).
bool EndsWithBlank(std::wstring_view text) {
    if (text.empty()) return false;
    const wchar_t c = text.back();
    return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == L' ';
}

[[noreturn]] void Broken(const char* what) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

// Whether a NUL left a blank at the end of some name or value of the document.
bool HasBlankBeforeNul(const platform::ini::IniDocument& document) {
    std::vector<std::wstring> sections = document.SectionNames();
    sections.push_back(L"");  // the keys before the first section
    for (const std::wstring& section : sections) {
        if (EndsWithBlank(section)) return true;
        for (const std::wstring& key : document.KeyNames(section)) {
            if (EndsWithBlank(key)) return true;
            const auto value = document.Find(section, key);
            if (value && EndsWithBlank(*value)) return true;
        }
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::LoadCaseFoldingLocale();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using platform::ini::IniDocument;
    const IniDocument document =
        IniDocument::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    const IniDocument rewritten = IniDocument::FromBytes(document.ToBytes());
    if (IniDocument::FromBytes(rewritten.ToBytes()).ToBytes() != rewritten.ToBytes()) {
        Broken("a second writing changes the file");
    }
    if (HasBlankBeforeNul(document)) return 0;

    std::vector<std::wstring> sections = document.SectionNames();
    if (rewritten.SectionNames() != sections) Broken("the sections differ after writing");
    sections.push_back(L"");
    for (const std::wstring& section : sections) {
        for (const std::wstring& key : document.KeyNames(section)) {
            if (key.empty()) continue;
            if (document.Find(section, key) != rewritten.Find(section, key)) {
                Broken("a value reads differently after writing");
            }
        }
    }
    return 0;
}
