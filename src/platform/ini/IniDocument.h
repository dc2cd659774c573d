#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI file in memory, read with the rules of the Windows profile functions
// (GetPrivateProfileStringW reading a file):
// - a line ends at any run of CR and LF; blanks (tab, LF, VT, FF, CR, Ctrl+Z, space) around a
//   line, a name and a value are not part of them; empty lines are skipped;
// - a line that begins with '[' and holds a ']' starts a section named by the text between the
//   '[' and the last ']'; whatever follows that ']' is ignored;
// - any other line is a key: the name is the text before the first '=', the value the text
//   after it; a line without '=' is a key without a value, which reads as missing;
// - a comment is no special case: ";text" is a key named ";text" like any other;
// - keys before the first section belong to a section with an empty name;
// - names match without regard to case; the first of duplicate sections wins (the keys of a
//   later duplicate are not seen), and so does the first of duplicate keys in that section;
// - a name or a value ends at a NUL character;
// - one pair of double quotes enclosing a whole value is removed on reading; single quotes are
//   kept (unlike the profile functions);
// - a document holds at most kMaxText characters: a longer text is read up to there.
// Parsing takes time linear in the size of the text whatever it holds, and memory for what the
// text holds: nothing is set aside for lines that turn out empty. The text is kept whole and
// names and values are pieces of it; sections are found through a hash of their names, keys by
// going through their section's few keys. The hash is keyed at random (see
// text::HashIgnoringCase): with a hash known in advance a file could hold names made to share it,
// and each section added or found would go through all of them. Keyed, names share a hash only
// by chance, and at half load chance keeps runs of slots short: long runs need no fallback.
namespace platform::ini {

class IniDocument {
public:
    static constexpr size_t kMaxText = UINT32_MAX - 1;  // 4 Gi characters

    IniDocument();

    // Detects the encoding (see IniEncoding.h) and parses.
    static IniDocument FromBytes(std::string_view bytes);
    // Keeps the text itself: a moved-in text is not copied.
    static IniDocument FromText(std::wstring text);

    // The value as read, quotes removed; nothing when the section or the key is missing or the
    // key has no value. Names are compared without the blanks around them and without case.
    // The value is a piece of the document's text, valid until the document next changes.
    std::optional<std::wstring_view> Find(std::wstring_view section, std::wstring_view key) const;

    // Stores the value in the first section of that name (a new section goes at the end) and
    // its first key of that name (a new key goes at the end of the section). Line breaks in the
    // value would start new lines in the file: they are stored as blanks. False, and nothing
    // changed, for a name the file cannot hold (a line break in it; a key holding '=' or
    // beginning with '[') and when the document would grow beyond kMaxText characters.
    bool Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);

    // The document as file text, CRLF line ends: every section and key in order, comments and
    // keys without values included.
    std::wstring ToText() const;
    // ToText as file bytes: plain ASCII when the text is all ASCII, otherwise UTF-16LE with BOM.
    std::string ToBytes() const;

    // True when the document holds a section of that name.
    bool HasSection(std::wstring_view section) const { return FindSection(section) != nullptr; }

    // Names of the sections in file order, duplicates included, the leading nameless one left
    // out; the names of the keys of the section Find would read from, in file order.
    std::vector<std::wstring> SectionNames() const;
    std::vector<std::wstring> KeyNames(std::wstring_view section) const;

private:
    static constexpr uint32_t kNone = UINT32_MAX;

    struct Span {  // a piece of text_
        uint32_t offset = 0;
        uint32_t length = 0;
    };
    struct Entry {
        Span name;
        Span value;
        bool hasValue = false;
    };
    // The entries of the sections follow each other in entries_ in the order of the sections.
    struct Section {
        Span name;
        uint32_t hash = 0;  // of the name, without case
        uint32_t firstEntry = 0;
        uint32_t entryCount = 0;
    };

    explicit IniDocument(std::wstring text);
    void Parse();

    std::wstring_view View(Span span) const;
    Span SpanOf(std::wstring_view piece) const;  // piece lies in text_
    Span Store(std::wstring_view text);          // appended to text_
    bool Overlaps(std::wstring_view text) const;

    uint32_t AddSection(Span name);
    void AddEntry(uint32_t section, const Entry& entry);
    void IndexSection(uint32_t section);
    void Reindex(size_t slots);
    const Section* FindSection(std::wstring_view name) const;
    uint32_t FindEntry(const Section& section, std::wstring_view key) const;

    // The file's text, then the names and values Set stored. Pieces of it are kept in 32 bits
    // to keep a document small, which limits it to kMaxText characters.
    std::wstring text_;
    std::vector<Section> sections_;  // sections_[0]: the keys before the first section
    std::vector<Entry> entries_;
    // Open addressing by name hash, the first of duplicate names only; kNone is a free slot.
    std::vector<uint32_t> sectionSlots_;
    size_t indexedSections_ = 0;
};

}  // namespace platform::ini
