#include "platform/ini/IniDocument.h"

#include "platform/ini/IniEncoding.h"
#include "platform/text/CaseFold.h"

namespace platform::ini {
namespace {

// The profile functions' blanks: Ctrl+Z (DOS end of file) counts as one.
bool IsBlank(wchar_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == L' '; }

bool IsLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }

std::wstring_view TrimLeft(std::wstring_view text) {
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start])) ++start;
    return text.substr(start);
}

std::wstring_view TrimRight(std::wstring_view text) {
    size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1])) --end;
    return text.substr(0, end);
}

std::wstring_view Trim(std::wstring_view text) { return TrimRight(TrimLeft(text)); }

// Names and values are C strings to the profile functions.
std::wstring_view CutAtNul(std::wstring_view text) {
    return text.substr(0, text.find(L'\0'));
}

// A name as a caller gives it, ready to compare.
std::wstring_view QueryName(std::wstring_view name) { return Trim(CutAtNul(name)); }

std::wstring WithoutEnclosingDoubleQuotes(const std::wstring& value) {
    if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

IniDocument::IniDocument() { sections_.emplace_back(); }

IniDocument IniDocument::FromBytes(std::string_view bytes) {
    return FromText(DecodeIniBytes(bytes));
}

IniDocument IniDocument::FromText(std::wstring_view text) {
    IniDocument document;
    Section* section = &document.sections_.front();
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t start = pos;
        while (pos < text.size() && !IsLineBreak(text[pos])) ++pos;
        const std::wstring_view line = Trim(text.substr(start, pos - start));
        while (pos < text.size() && IsLineBreak(text[pos])) ++pos;
        if (line.empty()) continue;

        if (line.front() == L'[') {
            const size_t close = line.rfind(L']');
            if (close != std::wstring_view::npos) {
                section = &document.AddSection(
                    std::wstring(CutAtNul(Trim(line.substr(1, close - 1)))));
                continue;
            }
        }
        Entry entry;
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            entry.name = CutAtNul(line);
        } else {
            entry.name = CutAtNul(TrimRight(line.substr(0, equals)));
            entry.value = CutAtNul(TrimLeft(line.substr(equals + 1)));
            entry.hasValue = true;
        }
        document.AddEntry(*section, std::move(entry));
    }
    return document;
}

IniDocument::Section& IniDocument::AddSection(std::wstring name) {
    const auto index = static_cast<uint32_t>(sections_.size());
    firstSections_.try_emplace(text::FoldCase(name), index);
    Section& section = sections_.emplace_back();
    section.name = std::move(name);
    return section;
}

void IniDocument::AddEntry(Section& section, Entry entry) {
    const auto index = static_cast<uint32_t>(section.entries.size());
    section.firstKeys.try_emplace(text::FoldCase(entry.name), index);
    section.entries.push_back(std::move(entry));
}

const IniDocument::Section* IniDocument::FindSection(std::wstring_view name) const {
    const std::wstring_view wanted = QueryName(name);
    if (wanted.empty()) return &sections_.front();  // the nameless leading section comes first
    const auto found = firstSections_.find(text::FoldCase(wanted));
    return found == firstSections_.end() ? nullptr : &sections_[found->second];
}

std::optional<std::wstring> IniDocument::Find(std::wstring_view section,
                                              std::wstring_view key) const {
    const Section* found = FindSection(section);
    if (!found) return std::nullopt;
    const auto entry = found->firstKeys.find(text::FoldCase(QueryName(key)));
    if (entry == found->firstKeys.end()) return std::nullopt;
    const Entry& e = found->entries[entry->second];
    if (!e.hasValue) return std::nullopt;
    return WithoutEnclosingDoubleQuotes(e.value);
}

bool IniDocument::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    const std::wstring_view sectionName = QueryName(section);
    const std::wstring_view keyName = QueryName(key);
    const auto hasLineBreak = [](std::wstring_view text) {
        return text.find_first_of(L"\r\n") != std::wstring_view::npos;
    };
    if (hasLineBreak(sectionName) || hasLineBreak(keyName) ||
        keyName.find(L'=') != std::wstring_view::npos ||
        (!keyName.empty() && keyName.front() == L'[')) {
        return false;
    }

    std::wstring stored(CutAtNul(value));
    for (wchar_t& c : stored) {
        if (IsLineBreak(c)) c = L' ';
    }

    const Section* existing = FindSection(sectionName);
    Section& target = existing ? sections_[existing - sections_.data()]
                               : AddSection(std::wstring(sectionName));
    const auto found = target.firstKeys.find(text::FoldCase(keyName));
    if (found != target.firstKeys.end()) {
        Entry& entry = target.entries[found->second];
        entry.value = std::move(stored);
        entry.hasValue = true;
    } else {
        AddEntry(target, Entry{std::wstring(keyName), std::move(stored), true});
    }
    return true;
}

std::wstring IniDocument::ToText() const {
    std::wstring text;
    for (size_t i = 0; i < sections_.size(); ++i) {
        const Section& section = sections_[i];
        if (i > 0) text.append(L"[").append(section.name).append(L"]\r\n");
        for (const Entry& entry : section.entries) {
            text.append(entry.name);
            if (entry.hasValue) text.append(L"=").append(entry.value);
            text.append(L"\r\n");
        }
    }
    return text;
}

std::string IniDocument::ToBytes() const { return EncodeIniText(ToText()); }

std::vector<std::wstring> IniDocument::SectionNames() const {
    std::vector<std::wstring> names;
    for (size_t i = 1; i < sections_.size(); ++i) names.push_back(sections_[i].name);
    return names;
}

std::vector<std::wstring> IniDocument::KeyNames(std::wstring_view section) const {
    std::vector<std::wstring> names;
    if (const Section* found = FindSection(section)) {
        for (const Entry& entry : found->entries) names.push_back(entry.name);
    }
    return names;
}

}  // namespace platform::ini
