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
// The document is the file's text and an index of its sections, nothing per key: a key is
// found by going through the lines of its section, which costs what the section holds, and a
// menu asks a handful of keys of each of its sections. Only sections a caller can ask for are
// indexed (the first of each name; not a nameless one, nor one whose name a NUL cut after a
// blank): a slot of 4 bytes each, at most one byte per character of text, so that reading takes
// at most three bytes a character on Windows, two of them the text's. Parsing and the index take
// time linear in the size of the text whatever it holds. The index is a hash of the names,
// keyed at random (see text::HashIgnoringCase): with a hash known in advance a file could hold
// names made to share it, and each section added or found would go through all of them. Keyed,
// names share a hash only by chance, and at three-quarter load chance keeps runs of slots short.
namespace platform::ini {

// The blanks reading trims around a line, a name and a value.
bool IsIniBlank(wchar_t c);

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
    // its first key of that name (a new key goes at the end of the section). The document then
    // reads as the file it writes: line breaks in the value are stored as blanks, and blanks
    // around it are not read. False, and nothing changed, for a name the file cannot hold (a
    // line break in it; a key holding '=' or beginning with '[') and when the document would
    // grow beyond kMaxText characters. Adding to the last section costs what that section
    // holds; any other change costs what the document holds.
    bool Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);

    // The document as file text, CRLF line ends: every section and key in order, comments and
    // keys without values included.
    std::wstring ToText() const;
    // ToText as file bytes: plain ASCII when the text is all ASCII, otherwise UTF-16LE with BOM.
    std::string ToBytes() const;

    // True when the document holds a section of that name.
    bool HasSection(std::wstring_view section) const { return SectionBody(section).has_value(); }

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
    // The lines of the section last read, as far as reads went into it: a menu asks six keys of
    // each section in turn, and each would otherwise go through the lines before its own again.
    struct ReadLines {
        static constexpr size_t kLines = 16;
        static constexpr size_t kNoBody = SIZE_MAX;
        size_t body = kNoBody;  // where the section's lines start, just after its name and ']'
        size_t nameLength = 0;
        size_t next = 0;        // where its lines go on after those held
        size_t count = 0;
        bool complete = false;   // the section holds no more lines than those
        Span lines[kLines];
    };

    static constexpr size_t kFirstSlots = 16;

    explicit IniDocument(std::wstring text);
    void Index();
    bool IndexGrowing(size_t mostSlots);
    void AddSection(std::wstring_view name, size_t lineEnd);
    bool HasRoomForOneMore() const;

    // Where the lines of the section start: just after its ']', or 0 for the nameless one.
    std::optional<size_t> SectionBody(std::wstring_view section) const;
    // Makes the section of that name (trimmed, cut at a NUL) the one read_ holds, unless it is
    // already: false when there is no such section.
    bool ReadSection(std::wstring_view name) const;
    // The line of the key `wanted` (trimmed, cut at a NUL) in the section read_ holds; nothing
    // when it has no such key. read_ holds the lines gone through, as many as it holds.
    std::optional<std::wstring_view> FindKeyLine(std::wstring_view wanted) const;
    // Where the last line of the section read_ holds ends (just after its ']' when it has none).
    size_t EndOfSectionRead() const;
    // Whether a section starts after `pos`.
    bool SectionFollows(size_t pos) const;
    // The slot that holds the section of that name, or the free slot where it would go.
    size_t SlotFor(std::wstring_view name) const;
    bool NamedAt(uint32_t offset, std::wstring_view name) const;
    std::wstring_view NameAt(uint32_t offset) const;
    void Rehash(size_t slots);
    bool Overlaps(std::wstring_view text) const;
    std::wstring_view View(Span span) const;
    Span SpanOf(std::wstring_view piece) const;  // piece lies in text_

    // The file's text, in which the line of each indexed section is rewritten to its name and
    // ']' alone, what followed them turned to line breaks (it is never read): a name is then
    // told from another's beginning without going through the rest of its line. Offsets in it
    // are kept in 32 bits to keep the index small, which limits it to kMaxText characters.
    std::wstring text_;
    // Open addressing by name hash: offsets of the names in text_; kNone is a free slot.
    std::vector<uint32_t> slots_;
    size_t indexed_ = 0;
    // Reading changes it: a document is read by one thread at a time.
    mutable ReadLines read_;
};

}  // namespace platform::ini
