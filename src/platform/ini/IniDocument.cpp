#include "platform/ini/IniDocument.h"

#include <algorithm>
#include <functional>
#include <utility>

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

std::wstring_view WithoutEnclosingDoubleQuotes(std::wstring_view value) {
    if (value.size() >= 2 && value.front() == L'"' && value.back() == L'"') {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

}  // namespace

IniDocument::IniDocument() { sections_.emplace_back(); }

IniDocument::IniDocument(std::wstring text) : text_(std::move(text)) {
    if (text_.size() > kMaxText) text_.resize(kMaxText);
    sections_.emplace_back();
    Parse();
}

IniDocument IniDocument::FromBytes(std::string_view bytes) {
    return IniDocument(DecodeIniBytes(bytes));
}

IniDocument IniDocument::FromText(std::wstring text) { return IniDocument(std::move(text)); }

void IniDocument::Parse() {
    const std::wstring_view text = text_;
    uint32_t section = 0;
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
                section = AddSection(SpanOf(CutAtNul(Trim(line.substr(1, close - 1)))));
                continue;
            }
        }
        Entry entry;
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            entry.name = SpanOf(CutAtNul(line));
        } else {
            entry.name = SpanOf(CutAtNul(TrimRight(line.substr(0, equals))));
            entry.value = SpanOf(CutAtNul(TrimLeft(line.substr(equals + 1))));
            entry.hasValue = true;
        }
        AddEntry(section, entry);
    }
}

std::wstring_view IniDocument::View(Span span) const {
    return std::wstring_view(text_).substr(span.offset, span.length);
}

IniDocument::Span IniDocument::SpanOf(std::wstring_view piece) const {
    return Span{static_cast<uint32_t>(piece.data() - text_.data()),
                static_cast<uint32_t>(piece.size())};
}

IniDocument::Span IniDocument::Store(std::wstring_view text) {
    const Span span{static_cast<uint32_t>(text_.size()), static_cast<uint32_t>(text.size())};
    text_.append(text);
    return span;
}

bool IniDocument::Overlaps(std::wstring_view text) const {
    const std::less_equal<const wchar_t*> notAfter;
    return notAfter(text_.data(), text.data()) &&
           notAfter(text.data(), text_.data() + text_.size());
}

uint32_t IniDocument::AddSection(Span name) {
    const auto index = static_cast<uint32_t>(sections_.size());
    sections_.push_back(Section{name, static_cast<uint32_t>(text::HashIgnoringCase(View(name))),
                                static_cast<uint32_t>(entries_.size()), 0});
    IndexSection(index);
    return index;
}

// Parsing adds to the last section, at the end; only Set adds to an earlier one.
void IniDocument::AddEntry(uint32_t section, const Entry& entry) {
    Section& target = sections_[section];
    entries_.insert(entries_.begin() + target.firstEntry + target.entryCount, entry);
    ++target.entryCount;
    for (size_t later = section + 1; later < sections_.size(); ++later) {
        ++sections_[later].firstEntry;
    }
}

void IniDocument::IndexSection(uint32_t section) {
    if ((indexedSections_ + 1) * 2 > sectionSlots_.size()) {
        Reindex(std::max<size_t>(16, sectionSlots_.size() * 2));
    }
    const Section& added = sections_[section];
    const size_t mask = sectionSlots_.size() - 1;
    size_t slot = added.hash & mask;
    for (; sectionSlots_[slot] != kNone; slot = (slot + 1) & mask) {
        const Section& present = sections_[sectionSlots_[slot]];
        if (present.hash == added.hash &&
            text::EqualIgnoringCase(View(present.name), View(added.name))) {
            return;  // the first of duplicate sections wins
        }
    }
    sectionSlots_[slot] = section;
    ++indexedSections_;
}

void IniDocument::Reindex(size_t slots) {
    std::vector<uint32_t> old(slots, kNone);
    old.swap(sectionSlots_);
    const size_t mask = slots - 1;
    for (const uint32_t section : old) {
        if (section == kNone) continue;
        size_t slot = sections_[section].hash & mask;
        while (sectionSlots_[slot] != kNone) slot = (slot + 1) & mask;
        sectionSlots_[slot] = section;
    }
}

const IniDocument::Section* IniDocument::FindSection(std::wstring_view name) const {
    const std::wstring_view wanted = QueryName(name);
    if (wanted.empty()) return &sections_.front();  // the nameless leading section comes first
    if (sectionSlots_.empty()) return nullptr;
    const auto hash = static_cast<uint32_t>(text::HashIgnoringCase(wanted));
    const size_t mask = sectionSlots_.size() - 1;
    for (size_t slot = hash & mask; sectionSlots_[slot] != kNone; slot = (slot + 1) & mask) {
        const Section& section = sections_[sectionSlots_[slot]];
        if (section.hash == hash && text::EqualIgnoringCase(View(section.name), wanted)) {
            return &section;
        }
    }
    return nullptr;
}

// A section holds a handful of keys: going through them beats any index.
uint32_t IniDocument::FindEntry(const Section& section, std::wstring_view key) const {
    for (uint32_t index = section.firstEntry; index < section.firstEntry + section.entryCount;
         ++index) {
        if (text::EqualIgnoringCase(View(entries_[index].name), key)) return index;
    }
    return kNone;
}

std::optional<std::wstring_view> IniDocument::Find(std::wstring_view section,
                                                   std::wstring_view key) const {
    const Section* found = FindSection(section);
    if (!found) return std::nullopt;
    const uint32_t entry = FindEntry(*found, QueryName(key));
    if (entry == kNone || !entries_[entry].hasValue) return std::nullopt;
    return WithoutEnclosingDoubleQuotes(View(entries_[entry].value));
}

bool IniDocument::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    // Storing may move the text that arguments taken from this document point into.
    if (Overlaps(section) || Overlaps(key) || Overlaps(value)) {
        const std::wstring copies[] = {std::wstring(section), std::wstring(key), std::wstring(value)};
        return Set(copies[0], copies[1], copies[2]);
    }
    const std::wstring_view sectionName = QueryName(section);
    const std::wstring_view keyName = QueryName(key);
    const auto hasLineBreak = [](std::wstring_view text) {
        return text.find_first_of(L"\r\n") != std::wstring_view::npos;
    };
    if (hasLineBreak(sectionName) || hasLineBreak(keyName) ||
        keyName.find(L'=') != std::wstring_view::npos ||
        (!keyName.empty() && keyName.front() == L'[') ||
        kMaxText - text_.size() < sectionName.size() + keyName.size() + value.size()) {
        return false;
    }

    const Section* existing = FindSection(sectionName);
    const uint32_t target = existing ? static_cast<uint32_t>(existing - sections_.data())
                                     : AddSection(Store(sectionName));
    const Span stored = Store(CutAtNul(value));
    for (size_t i = stored.offset; i < text_.size(); ++i) {
        if (IsLineBreak(text_[i])) text_[i] = L' ';
    }
    const uint32_t found = FindEntry(sections_[target], keyName);
    if (found != kNone) {
        entries_[found].value = stored;
        entries_[found].hasValue = true;
    } else {
        AddEntry(target, Entry{Store(keyName), stored, true});
    }
    return true;
}

std::wstring IniDocument::ToText() const {
    std::wstring text;
    text.reserve(text_.size());
    for (size_t i = 0; i < sections_.size(); ++i) {
        const Section& section = sections_[i];
        if (i > 0) text.append(L"[").append(View(section.name)).append(L"]\r\n");
        for (uint32_t i = 0; i < section.entryCount; ++i) {
            const Entry& entry = entries_[section.firstEntry + i];
            text.append(View(entry.name));
            if (entry.hasValue) text.append(L"=").append(View(entry.value));
            text.append(L"\r\n");
        }
    }
    return text;
}

std::string IniDocument::ToBytes() const { return EncodeIniText(ToText()); }

std::vector<std::wstring> IniDocument::SectionNames() const {
    std::vector<std::wstring> names;
    names.reserve(sections_.size() - 1);
    for (size_t i = 1; i < sections_.size(); ++i) names.emplace_back(View(sections_[i].name));
    return names;
}

std::vector<std::wstring> IniDocument::KeyNames(std::wstring_view section) const {
    std::vector<std::wstring> names;
    if (const Section* found = FindSection(section)) {
        for (uint32_t i = 0; i < found->entryCount; ++i) {
            names.emplace_back(View(entries_[found->firstEntry + i].name));
        }
    }
    return names;
}

}  // namespace platform::ini
