#pragma once

#include <string>
#include <string_view>

// Code points in and out of wide text, whatever the width of wchar_t.
namespace platform::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

inline bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Writes a valid code point (U+0000..U+10FFFF, no surrogate) at `out`, as a surrogate pair where
// wchar_t has 16 bits, and returns the position after it.
inline wchar_t* PutCodePoint(wchar_t* out, char32_t c) {
    if constexpr (sizeof(wchar_t) == 2) {
        if (c >= 0x10000) {
            c -= 0x10000;
            *out++ = static_cast<wchar_t>(0xD800 + (c >> 10));
            *out++ = static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
            return out;
        }
    }
    *out++ = static_cast<wchar_t>(c);
    return out;
}

// The code point at text[pos], advancing pos past it. A surrogate pair is combined; a lone
// surrogate, or natively a value that is no code point, reads as U+FFFD.
inline char32_t NextCodePoint(std::wstring_view text, size_t& pos) {
    char32_t c = static_cast<char32_t>(text[pos++]);
    if constexpr (sizeof(wchar_t) == 2) {
        c &= 0xFFFF;
        if (c >= 0xD800 && c <= 0xDBFF && pos < text.size()) {
            const char32_t low = static_cast<char32_t>(text[pos]) & 0xFFFF;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                ++pos;
                return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            }
        }
    }
    return IsSurrogate(c) || c > 0x10FFFF ? kReplacementCharacter : c;
}

}  // namespace platform::text
