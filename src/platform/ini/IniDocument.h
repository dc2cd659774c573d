#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
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
//   kept (unlike the profile functions).
// Parsing takes time linear in the size of the text whatever it holds; lookups are hashed.
namespace platform::ini {

class IniDocument {
public:
    IniDocument();

    // Detects the encoding (see IniEncoding.h) and parses.
    static IniDocument FromBytes(std::string_view bytes);
    static IniDocument FromText(std::wstring_view text);

    // The value as read, quotes removed; nothing when the section or the key is missing or the
    // key has no value. Names are compared without the blanks around them and without case.
    std::optional<std::wstring> Find(std::wstring_view section, std::wstring_view key) const;

    // Stores the value in the first section of that name (a new section goes at the end) and
    // its first key of that name (a new key goes at the end of the section). Line breaks in the
    // value would start new lines in the file: they are stored as blanks. False, and nothing
    // changed, for a name the file cannot hold (a line break in it; a key holding '=' or
    // beginning with '[').
    bool Set(std::wstring_view section, std::wstring_view key, std::wstring_view value);

    // The document as file text, CRLF line ends: every section and key in order, comments and
    // keys without values included.
    std::wstring ToText() const;
    // ToText as file bytes: plain ASCII when the text is all ASCII, otherwise UTF-16LE with BOM.
    std::string ToBytes() const;

    // Names of the sections in file order, duplicates included, the leading nameless one left
    // out; the names of the keys of the section Find would read from, in file order.
    std::vector<std::wstring> SectionNames() const;
    std::vector<std::wstring> KeyNames(std::wstring_view section) const;

private:
    struct Entry {
        std::wstring name;
        std::wstring value;
        bool hasValue = false;
    };
    struct Section {
        std::wstring name;
        std::vector<Entry> entries;
        std::unordered_map<std::wstring, uint32_t> firstKeys;  // folded name -> entry
    };

    Section& AddSection(std::wstring name);
    void AddEntry(Section& section, Entry entry);
    const Section* FindSection(std::wstring_view name) const;

    std::vector<Section> sections_;  // sections_[0]: the keys before the first section
    std::unordered_map<std::wstring, uint32_t> firstSections_;  // folded name -> section
};

}  // namespace platform::ini
