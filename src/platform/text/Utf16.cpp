#include "platform/text/CodePoints.h"
#include "platform/text/Encoding.h"

namespace platform::text {
namespace {

std::wstring FromUtf16(std::string_view bytes, bool bigEndian) {
    std::wstring text(bytes.size() / 2, L'\0');
    text.resize(static_cast<size_t>(PutUtf16(text.data(), bytes, bigEndian) - text.data()));
    return text;
}

void AppendUnit(std::string& bytes, char32_t unit) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>((unit >> 8) & 0xFF));
}

}  // namespace

// Unit i is written after its two bytes were read; natively a unit takes four bytes, and the
// bytes begin at three a character into the memory (see Encoding.h), so the write stays behind
// the bytes still to read.
wchar_t* PutUtf16(wchar_t* out, std::string_view bytes, bool bigEndian) {
    const size_t units = bytes.size() / 2;
    for (size_t i = 0; i < units; ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        out[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    if constexpr (sizeof(wchar_t) == 2) {
        return out + units;
    } else {
        // A pair becomes one code point in place: the text only shrinks.
        wchar_t* end = out;
        for (size_t pos = 0; pos < units;) {
            char32_t c = static_cast<char32_t>(out[pos++]);
            if (c >= 0xD800 && c <= 0xDBFF && pos < units) {
                const char32_t low = static_cast<char32_t>(out[pos]);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    ++pos;
                    c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                }
            }
            end = PutCodePoint(end, IsSurrogate(c) ? kReplacementCharacter : c);
        }
        return end;
    }
}

std::wstring FromUtf16Le(std::string_view bytes) { return FromUtf16(bytes, false); }

std::wstring FromUtf16Be(std::string_view bytes) { return FromUtf16(bytes, true); }

std::string ToUtf16Le(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    if constexpr (sizeof(wchar_t) == 2) {
        for (const wchar_t unit : text) AppendUnit(bytes, static_cast<char32_t>(unit));
    } else {
        for (size_t pos = 0; pos < text.size();) {
            const char32_t c = NextCodePoint(text, pos);
            if (c >= 0x10000) {
                AppendUnit(bytes, 0xD800 + ((c - 0x10000) >> 10));
                AppendUnit(bytes, 0xDC00 + ((c - 0x10000) & 0x3FF));
            } else {
                AppendUnit(bytes, c);
            }
        }
    }
    return bytes;
}

}  // namespace platform::text
