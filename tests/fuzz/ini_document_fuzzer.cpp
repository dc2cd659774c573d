// Any bytes as an INI file: parsing ends, and the document written back out reads the same by
// every name a caller can ask for (a key without a name cannot be asked for).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ini/IniDocument.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using platform::ini::IniDocument;
    const IniDocument document =
        IniDocument::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    const IniDocument rewritten = IniDocument::FromBytes(document.ToBytes());

    std::vector<std::wstring> sections = document.SectionNames();
    if (rewritten.SectionNames() != sections) {
        std::fprintf(stderr, "broken: the sections differ after writing\n");
        std::abort();
    }
    sections.push_back(L"");  // the keys before the first section
    for (const std::wstring& section : sections) {
        for (const std::wstring& key : document.KeyNames(section)) {
            if (key.empty()) continue;
            if (document.Find(section, key) != rewritten.Find(section, key)) {
                std::fprintf(stderr, "broken: a value reads differently after writing\n");
                std::abort();
            }
        }
    }
    return 0;
}
