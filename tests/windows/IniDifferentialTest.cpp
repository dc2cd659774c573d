// Our INI reader against the system's profile functions, file by file: every section and key
// either side sees must read to the same text. Two differences are ours on purpose: single
// quotes around a value are kept (the system strips them like double quotes), and UTF-8 is
// read as UTF-8, with or without a BOM (Windows reads such a file in the ANSI code page). For
// UTF-8 files the system is therefore given the same text as UTF-16LE with BOM. Names are also
// asked for in other letter case, ASCII letters only (see Upper).

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <iterator>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/ScriptLog.h"
#include "platform/ini/IniDocument.h"
#include "platform/support/IniAccess.h"
#include "support/TempFolder.h"

namespace {

const std::wstring kMissing = L"<missing>";

// --- File bytes --------------------------------------------------------------------------------

std::string Encode(UINT codePage, const std::wstring& text) {
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr,
                                           nullptr);
    std::string bytes(length, '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

std::string Utf8(const std::wstring& text) { return Encode(CP_UTF8, text); }
std::string Cp1251(const std::wstring& text) { return Encode(1251, text); }

std::string Utf16(const std::wstring& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (wchar_t c : text) {
        const char low = static_cast<char>(c & 0xFF);
        const char high = static_cast<char>((c >> 8) & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

std::string Utf16Le(const std::wstring& text) { return Utf16(text, false); }

// The text of UTF-8 bytes, or nothing when they are not valid UTF-8.
std::optional<std::wstring> DecodeUtf8(std::string_view bytes) {
    const int size = static_cast<int>(bytes.size());
    const int length =
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0 && size != 0) return std::nullopt;
    std::wstring text(length, L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), size, text.data(), length);
    return text;
}

bool IsAscii(std::string_view bytes) {
    for (unsigned char c : bytes) {
        if (c >= 0x80) return false;
    }
    return true;
}

// What the profile functions are given for the bytes we read: the same bytes, except that a
// file we read as UTF-8 is handed over as the same text in UTF-16.
std::string ReferenceBytes(const std::string& bytes) {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        if (auto text = DecodeUtf8(std::string_view(bytes).substr(3))) return Utf16Le(*text);
        return bytes;
    }
    if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0 || IsAscii(bytes)) {
        return bytes;
    }
    if (auto text = DecodeUtf8(bytes)) return Utf16Le(*text);
    return bytes;
}

// --- The profile functions ------------------------------------------------------------------

std::vector<std::wstring> SplitNulList(const std::vector<wchar_t>& buffer, DWORD length) {
    std::vector<std::wstring> items;
    for (DWORD at = 0; at < length && buffer[at] != L'\0';) {
        std::wstring item(&buffer[at]);
        at += static_cast<DWORD>(item.size()) + 1;
        items.push_back(std::move(item));
    }
    return items;
}

// Calls `get` with ever larger buffers until the answer fits: the profile functions cut it
// short two characters before the end of the buffer when it does not.
template <class Get>
std::vector<wchar_t> WholeAnswer(Get get, DWORD& length) {
    for (DWORD size = 1 << 12;; size *= 2) {
        std::vector<wchar_t> buffer(size, L'\0');
        length = get(buffer.data(), size);
        if (length + 2 < size) return buffer;
    }
}

std::vector<std::wstring> SystemSectionNames(const std::wstring& file) {
    DWORD length = 0;
    auto buffer = WholeAnswer(
        [&](wchar_t* data, DWORD size) {
            return GetPrivateProfileSectionNamesW(data, size, file.c_str());
        },
        length);
    return SplitNulList(buffer, length);
}

std::vector<std::wstring> SystemKeyNames(const std::wstring& section, const std::wstring& file) {
    DWORD length = 0;
    auto buffer = WholeAnswer(
        [&](wchar_t* data, DWORD size) {
            return GetPrivateProfileStringW(section.c_str(), nullptr, L"", data, size,
                                            file.c_str());
        },
        length);
    return SplitNulList(buffer, length);
}

std::wstring SystemValue(const std::wstring& section, const std::wstring& key,
                         const std::wstring& file) {
    DWORD length = 0;
    auto buffer = WholeAnswer(
        [&](wchar_t* data, DWORD size) {
            return GetPrivateProfileStringW(section.c_str(), key.c_str(), kMissing.c_str(), data,
                                            size, file.c_str());
        },
        length);
    return std::wstring(buffer.data(), length);
}

// --- Comparison ------------------------------------------------------------------------------

// Other letter case, for ASCII letters only: Wine's profile functions fold no other letters
// (Windows and we fold them all), so there the two would differ for Wine's sake alone.
std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return text;
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    return text;
}

std::string Shown(const std::wstring& text) {
    constexpr size_t kShown = 60;
    std::ostringstream shown;
    shown << '"' << platform::Printable(text.substr(0, kShown));
    if (text.size() > kShown) shown << "...\" (" << text.size() << " characters)";
    else shown << '"';
    return shown.str();
}

// Same text, or ours keeps one pair of single quotes that the system strips.
bool SameReading(const std::wstring& ours, const std::wstring& system) {
    if (ours == system) return true;
    return ours.size() >= 2 && ours.front() == L'\'' && ours.back() == L'\'' &&
           system == ours.substr(1, ours.size() - 2);
}

struct Case {
    const char* name;
    std::string bytes;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// Writes the case's file twice (ours, and the profile functions' copy) and compares every
// section and key that either reader sees, also asked for in other letter case and with blanks.
class IniDifferential : public ::testing::TestWithParam<Case> {
protected:
    void Compare() {
        const Case& c = GetParam();
        const std::wstring ours = folder.File(L"ours.ini");
        const std::wstring system = folder.File(L"system.ini");
        testsupport::WriteFileBytes(ours, c.bytes);
        testsupport::WriteFileBytes(system, ReferenceBytes(c.bytes));
        const auto document = platform::ini::IniDocument::FromBytes(c.bytes);

        std::vector<std::wstring> ourSections;
        for (const std::wstring& name : document.SectionNames()) {
            if (!name.empty()) ourSections.push_back(name);
        }
        const std::vector<std::wstring> systemSections = SystemSectionNames(system);
        EXPECT_EQ(ourSections, systemSections) << "section names of " << c.name;

        // The menu's own title, whatever the file holds, and the nameless part before the first
        // section.
        Check(L"Options", L"Title", ours, system);
        std::vector<std::wstring> sections = {L""};
        sections.insert(sections.end(), systemSections.begin(), systemSections.end());
        sections.insert(sections.end(), ourSections.begin(), ourSections.end());
        for (const std::wstring& section : sections) {
            std::vector<std::wstring> keys = SystemKeyNames(section, system);
            for (const std::wstring& key : document.KeyNames(section)) keys.push_back(key);
            for (const std::wstring& key : keys) {
                Check(section, key, ours, system);
                Check(Upper(section), Lower(key), ours, system);
                Check(L" \t" + Lower(section) + L"  ", L"\t" + Upper(key) + L" ", ours, system);
            }
        }
    }

private:
    void Check(const std::wstring& section, const std::wstring& key, const std::wstring& ours,
               const std::wstring& system) {
        if (!asked_.insert(section + L'\n' + key).second) return;
        const std::wstring ourValue = platform::asReadStringFromINI(section, key, kMissing, ours, 0);
        const std::wstring systemValue = SystemValue(section, key, system);
        EXPECT_TRUE(SameReading(ourValue, systemValue))
            << GetParam().name << ": [" << Shown(section) << "] " << Shown(key) << "\n  ours:   "
            << Shown(ourValue) << "\n  system: " << Shown(systemValue);
    }

    testsupport::TempFolder folder;
    std::set<std::wstring> asked_;
};

TEST_P(IniDifferential, ReadsWhatTheProfileFunctionsRead) { Compare(); }

// --- Corpus ----------------------------------------------------------------------------------

const std::wstring kCyrillicMenu =
    L"[Options]\r\nTitle=Меню «Инструменты»\r\n"
    L"[Элемент 0]\r\nНазвание = Блокнот \r\nФайл=\"C:\\Программы\\блокнот.exe\" /s\r\n"
    L"ключ=Значение\r\nКлюч 2 = второе\r\n[Элемент 1]\r\nНазвание='в кавычках'\r\n";

// Pseudo-random bytes, the same on every run, rich in the characters the parser looks at.
std::string Garbage(uint32_t seed, size_t size) {
    static const char kChars[] = "[]=;#\"' \t\r\n\x1A\x0B\x0C\xA0\xFF\x98\xC0\xD0\xE9\0az";
    static const std::string alphabet(kChars, sizeof kChars - 1);
    std::mt19937 random(seed);
    std::string bytes;
    for (size_t i = 0; i < size; ++i) {
        const uint32_t r = random();
        bytes += (r & 1) ? alphabet[(r >> 1) % alphabet.size()] : static_cast<char>(r >> 8);
    }
    return bytes;
}

std::string GarbageUtf16(uint32_t seed, size_t units) {
    static const wchar_t kChars[] = L"[]=;\"' \t\r\n\x1A\x00A0\x3000\xD800\xDC00\xFEFF\0ая";
    static const std::wstring alphabet(kChars, std::size(kChars) - 1);
    std::mt19937 random(seed);
    std::wstring text;
    for (size_t i = 0; i < units; ++i) {
        const uint32_t r = random();
        text += (r & 1) ? alphabet[(r >> 1) % alphabet.size()] : static_cast<wchar_t>(r >> 16);
    }
    return Utf16Le(text) + "\x41";  // an odd last byte
}

std::vector<Case> Corpus() {
    using namespace std::string_literals;
    std::vector<Case> cases = {
        {"double quotes",
         "[Q]\r\na=\"x\"\r\nb=\"x\r\nc=x\"\r\nd=\"\"\r\ne=\"\r\nf=\"a\"b\"\r\n"
         "g=  \" spaced \"  \r\nh=\"\"x\"\"\r\ni=\"x'\r\nj=a \"b\" c\r\nk=\"C:\\P F\\x.exe\" /s\r\n"
         "l=say \"hi\"\r\nm=\"\"\"\r\n"},
        {"single and mixed quotes",
         "[Q]\r\na='x'\r\nb='\r\nc=''\r\nd='x\r\ne=x'\r\nf=' spaced '\r\ng='\"x\"'\r\n"
         "h=\"'x'\"\r\ni='x\"\r\nj=`x`\r\n"},
        {"typographic quotes in code page 1251",
         Cp1251(L"[Q]\r\na=«x»\r\nb=“x”\r\nc=„x“\r\nd=«\r\n")},
        {"blanks around names and values",
         "  [ S p ]  \r\n  key one  =  value one  \r\n\tk2\t=\tv2\t\r\nk3\x0B=\x0Cv3\x0B\r\n"
         "k4\x1A=\x1Av4\x1A\r\n k5 = \r\n=no name\r\n   =   \r\nk6=a  b\r\n"},
        {"blanks outside ASCII",
         Utf16Le(L"[U]\r\n\x00A0k1\x00A0=\x00A0v1\x00A0\r\n\x3000k2\x3000=\x3000v2\x3000\r\n"
                 L"\x2003k3=\x2003v3\x2003\r\n\x0085k4=\x0085v4\x0085\r\n"
                 L"\x001Ck5\x001D=\x001Ev5\x001F\r\n\x200Bk6=\x200Bv6\x200B\r\n"
                 L"k7=\xFEFFv7\xFEFF\r\n")},
        {"no-break space in code page 1251", "[U]\r\n\xA0k1\xA0=\xA0v1\xA0\r\nk2=v2\r\n"},
        {"letter case", "[Options]\r\nTitle=1\r\n[OPTIONS]\r\ntitle=2\r\nTITLE=3\r\nmore=4\r\n"},
        {"duplicate sections and keys",
         "[A]\r\nk=1\r\nK=2\r\n[B]\r\nk=3\r\n[a]\r\nk=4\r\nonly=5\r\n[ A ]\r\nx=6\r\n[A]\r\n"},
        {"comments",
         ";comment=1\r\n[C]\r\n;note=2\r\n# hash=3\r\nk=4 ; trailing\r\nm=5 # trailing\r\n"
         " ; spaced=6\r\n;\r\n#\r\n;dup=7\r\nn=8\r\n[;S]\r\nk=9\r\n[#S]\r\nk=10\r\n"},
        {"line ends",
         "[L]\ra=1\rb=2\n[M]\nc=3\r\n\r\n\n\rd=4\n\re=5\r\r\nf=6\r\r\r\ng=7\n\n\nh=8"},
        {"blank lines and blank-only lines",
         "\r\n\r\n  \r\n\t\r\n[B]\r\n\r\n   \r\nk=1\r\n\r\n\x1A\r\nj=2\r\n"},
        {"more than one '='", "[E]\r\na=b=c\r\n==x\r\n b = = c \r\nd==\r\n"},
        {"lines without '='", "[N]\r\nname1=val1\r\nname2=\r\nname3\r\nname4=a\r\n  lone  \r\n"},
        {"'[' lines without ']'",
         "[broken\r\nk=1\r\n[open=2\r\n[a]b]c\r\nk=3\r\n[x] trailing\r\nk=4\r\n[]\r\nk=5\r\n"
         "[ ]\r\nk=6\r\n]close=7\r\n[[double]]\r\nk=8\r\n[ y ]z] \r\nk=9\r\n"},
        {"keys before the first section", "lead=1\r\nk=0\r\n[S]\r\nk=2\r\n"},
        {"NUL characters",
         "[Z]\r\na=12 \0tail\r\nb\0c=3\r\nd=\0x\r\nk \0x=4\r\n[Y\0z]\r\ne=5\r\n"s},
        {"UTF-16LE with BOM", Utf16Le(kCyrillicMenu)},
        {"UTF-16BE with BOM", Utf16(kCyrillicMenu, true)},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + Utf8(kCyrillicMenu)},
        {"UTF-8 without BOM", Utf8(kCyrillicMenu)},
        {"code page 1251", Cp1251(kCyrillicMenu)},
        {"BOM only", "\xFF\xFE"},
        {"empty file", ""},
        {"long lines",
         "[Long]\r\nvalue=" + std::string(100'000, 'v') + "\r\n" + std::string(10'000, 'k') +
             "=key\r\nquoted=\"" + std::string(50'000, 'q') + "\"\r\n[" +
             std::string(5'000, 's') + "]\r\nk=section\r\n"},
        {"garbage bytes", Garbage(1, 4'000)},
        {"more garbage bytes", Garbage(2, 4'000)},
        {"garbage in UTF-16", GarbageUtf16(3, 3'000)},
    };
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char* p = info.param.name; *p; ++p) {
        const unsigned char c = static_cast<unsigned char>(*p);
        name += std::isalnum(c) ? static_cast<char>(c) : '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Corpus, IniDifferential, ::testing::ValuesIn(Corpus()), CaseName);

}  // namespace
