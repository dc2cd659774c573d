#include "platform/ini/IniDocument.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <utility>

#include "platform/ini/IniEncoding.h"
#include "platform/text/CaseFold.h"

namespace platform::ini {

// The profile functions' blanks: Ctrl+Z (DOS end of file) counts as one.
bool IsIniBlank(wchar_t c) { return (c >= 0x09 && c <= 0x0D) || c == 0x1A || c == L' '; }

namespace {

bool IsLineBreak(wchar_t c) { return c == L'\r' || c == L'\n'; }

bool HasLineBreak(std::wstring_view text) {
    return std::any_of(text.begin(), text.end(), IsLineBreak);
}

std::wstring_view TrimLeft(std::wstring_view text) {
    size_t start = 0;
    while (start < text.size() && IsIniBlank(text[start])) ++start;
    return text.substr(start);
}

std::wstring_view TrimRight(std::wstring_view text) {
    size_t end = text.size();
    while (end > 0 && IsIniBlank(text[end - 1])) --end;
    return text.substr(0, end);
}

std::wstring_view Trim(std::wstring_view text) { return TrimRight(TrimLeft(text)); }

// Names match without regard to case; most are written as they are asked for, which is quicker
// to see.
bool SameName(std::wstring_view a, std::wstring_view b) {
    return a == b || text::EqualIgnoringCase(a, b);
}

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

// Texts are gone through a word of eight bytes at a time where they can.
constexpr size_t kPerWord = sizeof(std::uint64_t) / sizeof(wchar_t);
constexpr unsigned kBits = 8 * sizeof(wchar_t);
constexpr std::uint64_t kOnes = ~std::uint64_t{0} / ((std::uint64_t{1} << kBits) - 1);

// Whether a character of the word is below `bound`, which is at most 2^(kBits - 1) (see "Bit
// Twiddling Hacks", hasless).
constexpr bool HasCharacterBelow(std::uint64_t word, std::uint64_t bound) {
    return ((word - kOnes * bound) & ~word & (kOnes << (kBits - 1))) != 0;
}

// The first position from `pos` on whose character is `wanted`, or the end of the text. The
// characters of a word are looked at one by one only when `mayHold` says the word may hold one.
template <typename MayHold, typename Wanted>
size_t FindFirst(std::wstring_view text, size_t pos, MayHold mayHold, Wanted wanted) {
    while (pos + kPerWord <= text.size()) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + pos, sizeof word);
        if (!mayHold(word)) {
            pos += kPerWord;
            continue;
        }
        for (const size_t end = pos + kPerWord; pos < end; ++pos) {
            if (wanted(text[pos])) return pos;
        }
    }
    while (pos < text.size() && !wanted(text[pos])) ++pos;
    return pos;
}

// Where the line that goes on at `pos` ends: its first CR or LF, or the end of the text. A key
// is found by going through the lines before it, and most of their characters are not below 14.
size_t LineEnd(std::wstring_view text, size_t pos) {
    return FindFirst(
        text, pos, [](std::uint64_t word) { return HasCharacterBelow(word, 14); }, IsLineBreak);
}

// The first '[' from `pos` on: sections are indexed by going from one to the next.
size_t NextOpeningBracket(std::wstring_view text, size_t pos) {
    return FindFirst(
        text, pos,
        [](std::uint64_t word) { return HasCharacterBelow(word ^ (kOnes * L'['), 1); },
        [](wchar_t c) { return c == L'['; });
}

// The lines of a text from a position on, trimmed, empty ones passed over.
class Lines {
public:
    Lines(std::wstring_view text, size_t from) : text_(text), next_(from) {}

    // Moves to the next line that holds more than blanks; false at the end of the text.
    bool Next() {
        while (next_ < text_.size()) {
            const size_t start = next_;
            end_ = next_ = LineEnd(text_, next_);
            line_ = Trim(text_.substr(start, end_ - start));
            while (next_ < text_.size() && IsLineBreak(text_[next_])) ++next_;
            if (!line_.empty()) return true;
        }
        return false;
    }

    std::wstring_view Line() const { return line_; }
    // Where the line's break begins, or the text ends.
    size_t End() const { return end_; }
    // Where the next line begins.
    size_t Position() const { return next_; }

private:
    std::wstring_view text_;
    size_t next_;
    size_t end_ = 0;
    std::wstring_view line_;
};

// The name of the section the line starts; nothing for a key's line.
std::optional<std::wstring_view> SectionNameOf(std::wstring_view line) {
    if (line.front() != L'[') return std::nullopt;
    const size_t close = line.rfind(L']');
    if (close == std::wstring_view::npos) return std::nullopt;
    return CutAtNul(Trim(line.substr(1, close - 1)));
}

struct KeyLine {
    std::wstring_view name;
    std::optional<std::wstring_view> value;  // nothing without '='
};

KeyLine KeyOf(std::wstring_view line) {
    const size_t equals = line.find(L'=');
    if (equals == std::wstring_view::npos) return {CutAtNul(line), std::nullopt};
    return {CutAtNul(TrimRight(line.substr(0, equals))), CutAtNul(TrimLeft(line.substr(equals + 1)))};
}

// Whether the key's line is that of the key `wanted`, a name as a caller gives it, which holds
// no '='. A key's name begins its line: most lines are passed over at their first letter.
bool Names(std::wstring_view line, std::wstring_view wanted) {
    if (line.size() < wanted.size()) return false;
    if (!wanted.empty()) {
        const auto first = static_cast<unsigned long>(line.front());
        const auto wantedFirst = static_cast<unsigned long>(wanted.front());
        // ASCII letters differ in case by this bit alone; other characters may fold to ASCII.
        if (first < 0x80 && wantedFirst < 0x80 && (first | 0x20) != (wantedFirst | 0x20)) {
            return false;
        }
    }
    if (!SameName(line.substr(0, wanted.size()), wanted)) return false;
    // The line's name (see KeyOf) ends where `wanted` does: at a NUL, or at blanks before '=' or
    // before the line's end.
    size_t end = wanted.size();
    if (end < line.size() && line[end] == L'\0') return true;
    while (end < line.size() && IsIniBlank(line[end])) ++end;
    return end == line.size() || line[end] == L'=';
}

// The lines of a text that start sections a caller can ask for, in turn. A name as a caller
// gives it is trimmed: it never matches an empty name, nor one that ends with a blank (which
// only a NUL cut just after it leaves).
class AskableSections {
public:
    explicit AskableSections(std::wstring_view text) : text_(text) {}

    // Moves to the next such line; false at the end of the text.
    bool Next() {
        for (size_t open; (open = NextOpeningBracket(text_, next_)) < text_.size();) {
            next_ = open + 1;
            if (!StartsLine(open)) continue;
            next_ = end_ = LineEnd(text_, open);
            const std::optional<std::wstring_view> name =
                SectionNameOf(TrimRight(text_.substr(open, end_ - open)));
            if (name && !name->empty() && !IsIniBlank(name->back())) {
                name_ = *name;
                return true;
            }
        }
        return false;
    }

    std::wstring_view Name() const { return name_; }
    // Where the line's break begins, or the text ends.
    size_t End() const { return end_; }

private:
    // Whether only blanks stand before `pos` on its line. A run of blanks is gone through only
    // from the character after it.
    bool StartsLine(size_t pos) const {
        while (pos > 0 && IsIniBlank(text_[pos - 1]) && !IsLineBreak(text_[pos - 1])) --pos;
        return pos == 0 || IsLineBreak(text_[pos - 1]);
    }

    std::wstring_view text_;
    size_t next_ = 0;
    size_t end_ = 0;
    std::wstring_view name_;
};

// Slots for that many sections at three-quarter load, and never more than one (4 bytes) for
// every four characters of the text: a section's line takes at least four ("[a]" and its
// break), so that many always leave a slot free.
size_t SlotsFor(size_t sections, size_t textSize) {
    return std::min(sections + sections / 3 + 1, textSize / 4 + 2);
}

}  // namespace

IniDocument::IniDocument() { Index(); }

IniDocument::IniDocument(std::wstring text) : text_(std::move(text)) {
    if (text_.size() > kMaxText) text_.resize(kMaxText);
    Index();
}

IniDocument IniDocument::FromBytes(std::string_view bytes) {
    return IniDocument(DecodeIniBytes(bytes));
}

IniDocument IniDocument::FromText(std::wstring text) { return IniDocument(std::move(text)); }

// Most texts hold few sections for their size: they are indexed in one pass, the index growing
// while it takes less than a slot for every 64 characters. A text denser in sections is gone
// through once more, first, to count them, so that its index is made once at its size: growing
// holds the old index beside the new one.
void IniDocument::Index() {
    read_ = ReadLines{};
    if (IndexGrowing(std::max(kFirstSlots, text_.size() / 64))) return;
    std::vector<uint32_t>().swap(slots_);
    size_t sections = 0;
    std::wstring_view previous;  // a run of sections of one name takes one slot
    for (AskableSections lines(text_); lines.Next();) {
        if (!SameName(lines.Name(), previous)) ++sections;
        previous = lines.Name();
    }
    slots_.assign(SlotsFor(sections, text_.size()), kNone);
    indexed_ = 0;
    for (AskableSections lines(text_); lines.Next();) AddSection(lines.Name(), lines.End());
}

bool IniDocument::IndexGrowing(size_t mostSlots) {
    slots_.assign(kFirstSlots, kNone);
    indexed_ = 0;
    for (AskableSections lines(text_); lines.Next();) {
        if (!HasRoomForOneMore()) {
            if (slots_.size() * 2 > mostSlots) return false;
            Rehash(slots_.size() * 2);
        }
        AddSection(lines.Name(), lines.End());
    }
    return true;
}

// The line is rewritten to the name and ']', what followed turned to line breaks.
void IniDocument::AddSection(std::wstring_view name, size_t lineEnd) {
    const size_t slot = SlotFor(name);
    if (slots_[slot] != kNone) return;  // the first of duplicate sections wins
    const auto offset = static_cast<size_t>(name.data() - text_.data());
    const size_t end = offset + name.size();
    text_[end] = L']';
    std::fill(text_.begin() + static_cast<std::ptrdiff_t>(end + 1),
              text_.begin() + static_cast<std::ptrdiff_t>(lineEnd), L'\n');
    slots_[slot] = static_cast<uint32_t>(offset);
    ++indexed_;
}

// At most three-quarter load, with a slot always free.
bool IniDocument::HasRoomForOneMore() const { return (indexed_ + 2) * 4 <= slots_.size() * 3; }

size_t IniDocument::SlotFor(std::wstring_view name) const {
    const auto hash = static_cast<uint32_t>(text::HashIgnoringCase(name));
    size_t slot = static_cast<size_t>((uint64_t{hash} * slots_.size()) >> 32);
    while (slots_[slot] != kNone && !NamedAt(slots_[slot], name)) {
        if (++slot == slots_.size()) slot = 0;
    }
    return slot;
}

// An indexed name is followed by ']' and a line break (or the end of the text), which no name
// holds: that tells it from a longer one at once. `name` holds no line break.
bool IniDocument::NamedAt(uint32_t offset, std::wstring_view name) const {
    const std::wstring_view rest = std::wstring_view(text_).substr(offset);
    return rest.size() > name.size() && rest[name.size()] == L']' &&
           (rest.size() == name.size() + 1 || IsLineBreak(rest[name.size() + 1])) &&
           SameName(rest.substr(0, name.size()), name);
}

std::wstring_view IniDocument::NameAt(uint32_t offset) const {
    const std::wstring_view rest = std::wstring_view(text_).substr(offset);
    size_t end = 0;
    while (rest[end] != L']' || (end + 1 < rest.size() && !IsLineBreak(rest[end + 1]))) ++end;
    return rest.substr(0, end);
}

void IniDocument::Rehash(size_t slots) {
    std::vector<uint32_t> old(slots, kNone);
    old.swap(slots_);
    for (const uint32_t offset : old) {
        if (offset != kNone) slots_[SlotFor(NameAt(offset))] = offset;
    }
}

std::optional<size_t> IniDocument::SectionBody(std::wstring_view section) const {
    const std::wstring_view name = QueryName(section);
    if (name.empty()) return 0;
    if (HasLineBreak(name)) return std::nullopt;
    const uint32_t offset = slots_[SlotFor(name)];
    if (offset == kNone) return std::nullopt;
    return size_t{offset} + name.size() + 1;
}

bool IniDocument::ReadSection(std::wstring_view name) const {
    if (read_.body != ReadLines::kNoBody && read_.nameLength == name.size() &&
        (name.empty() ||
         SameName(std::wstring_view(text_).substr(read_.body - name.size() - 1, name.size()),
                  name))) {
        return true;
    }
    const std::optional<size_t> body = SectionBody(name);
    if (!body) return false;
    read_ = ReadLines{};
    read_.body = read_.next = *body;
    read_.nameLength = name.size();
    return true;
}

std::optional<std::wstring_view> IniDocument::FindKeyLine(std::wstring_view wanted) const {
    if (std::find(wanted.begin(), wanted.end(), L'=') != wanted.end()) return std::nullopt;
    for (size_t i = 0; i < read_.count; ++i) {
        const std::wstring_view line = View(read_.lines[i]);
        if (Names(line, wanted)) return line;
    }
    if (read_.complete) return std::nullopt;
    for (Lines lines(text_, read_.next);;) {
        if (!lines.Next() || SectionNameOf(lines.Line())) {
            // Every line gone through since those held is held too.
            read_.complete = read_.count < ReadLines::kLines;
            return std::nullopt;
        }
        const std::wstring_view line = lines.Line();
        if (read_.count < ReadLines::kLines) {
            read_.lines[read_.count++] = SpanOf(line);
            read_.next = lines.Position();
        }
        if (Names(line, wanted)) return line;
    }
}

size_t IniDocument::EndOfSectionRead() const {
    size_t end = read_.body;
    if (read_.count > 0) {
        const Span last = read_.lines[read_.count - 1];
        end = size_t{last.offset} + last.length;
    }
    if (!read_.complete) {
        for (Lines lines(text_, read_.next); lines.Next() && !SectionNameOf(lines.Line());) {
            end = static_cast<size_t>(lines.Line().data() - text_.data()) + lines.Line().size();
        }
    }
    return end;
}

bool IniDocument::SectionFollows(size_t pos) const {
    for (Lines lines(text_, pos); lines.Next();) {
        if (SectionNameOf(lines.Line())) return true;
    }
    return false;
}

std::optional<std::wstring_view> IniDocument::Find(std::wstring_view section,
                                                   std::wstring_view key) const {
    if (!ReadSection(QueryName(section))) return std::nullopt;
    const std::optional<std::wstring_view> line = FindKeyLine(QueryName(key));
    if (!line) return std::nullopt;
    const std::optional<std::wstring_view> value = KeyOf(*line).value;
    if (!value) return std::nullopt;
    return WithoutEnclosingDoubleQuotes(*value);
}

std::wstring_view IniDocument::View(Span span) const {
    return std::wstring_view(text_).substr(span.offset, span.length);
}

IniDocument::Span IniDocument::SpanOf(std::wstring_view piece) const {
    return Span{static_cast<uint32_t>(piece.data() - text_.data()),
                static_cast<uint32_t>(piece.size())};
}

bool IniDocument::Overlaps(std::wstring_view text) const {
    const std::less_equal<const wchar_t*> notAfter;
    return notAfter(text_.data(), text.data()) &&
           notAfter(text.data(), text_.data() + text_.size());
}

bool IniDocument::Set(std::wstring_view section, std::wstring_view key, std::wstring_view value) {
    // Storing may move the text that arguments taken from this document point into.
    if (Overlaps(section) || Overlaps(key) || Overlaps(value)) {
        const std::wstring copies[] = {std::wstring(section), std::wstring(key), std::wstring(value)};
        return Set(copies[0], copies[1], copies[2]);
    }
    const std::wstring_view sectionName = QueryName(section);
    const std::wstring_view keyName = QueryName(key);
    constexpr size_t kBracketsAndBreaks = 8;
    if (HasLineBreak(sectionName) || HasLineBreak(keyName) ||
        keyName.find(L'=') != std::wstring_view::npos ||
        (!keyName.empty() && keyName.front() == L'[') ||
        kMaxText - text_.size() <
            sectionName.size() + keyName.size() + value.size() + kBracketsAndBreaks) {
        return false;
    }
    std::wstring line(keyName);
    line.append(L"=").append(CutAtNul(value));
    std::replace_if(line.begin() + static_cast<std::ptrdiff_t>(keyName.size()), line.end(),
                    IsLineBreak, L' ');

    if (!ReadSection(sectionName)) {
        if (!HasRoomForOneMore()) Rehash(std::max(kFirstSlots, slots_.size() * 2));
        text_.append(L"\n[");
        const auto offset = static_cast<uint32_t>(text_.size());
        text_.append(sectionName).append(L"]\n").append(line).append(L"\n");
        slots_[SlotFor(sectionName)] = offset;
        ++indexed_;
        read_ = ReadLines{};
        return true;
    }
    // The key's line, else the end of the section's last line, where a new key goes.
    size_t from = 0;
    size_t to = 0;
    if (const std::optional<std::wstring_view> found = FindKeyLine(keyName)) {
        from = static_cast<size_t>(found->data() - text_.data());
        to = from + found->size();
        line.replace(0, keyName.size(), KeyOf(*found).name);  // the name stays as it was written
    } else {
        from = to = EndOfSectionRead();
        line.insert(0, L"\n").append(L"\n");
    }
    text_.replace(from, to - from, line);
    // The sections after it have moved.
    if (SectionFollows(from + line.size())) {
        Index();
    } else {
        read_ = ReadLines{};
    }
    return true;
}

std::wstring IniDocument::ToText() const {
    std::wstring text;
    text.reserve(text_.size());
    for (Lines lines(text_, 0); lines.Next();) {
        if (const std::optional<std::wstring_view> name = SectionNameOf(lines.Line())) {
            text.append(L"[").append(*name).append(L"]\r\n");
            continue;
        }
        const KeyLine key = KeyOf(lines.Line());
        text.append(key.name);
        if (key.value) text.append(L"=").append(*key.value);
        text.append(L"\r\n");
    }
    return text;
}

std::string IniDocument::ToBytes() const { return EncodeIniText(ToText()); }

std::vector<std::wstring> IniDocument::SectionNames() const {
    std::vector<std::wstring> names;
    for (Lines lines(text_, 0); lines.Next();) {
        if (const std::optional<std::wstring_view> name = SectionNameOf(lines.Line())) {
            names.emplace_back(*name);
        }
    }
    return names;
}

std::vector<std::wstring> IniDocument::KeyNames(std::wstring_view section) const {
    std::vector<std::wstring> names;
    if (const std::optional<size_t> body = SectionBody(section)) {
        for (Lines lines(text_, *body); lines.Next() && !SectionNameOf(lines.Line());) {
            names.emplace_back(KeyOf(lines.Line()).name);
        }
    }
    return names;
}

}  // namespace platform::ini
