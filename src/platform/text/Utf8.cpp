#include "platform/text/CodePoints.h"
#include "platform/text/Encoding.h"

namespace platform::text {
namespace {

// Decodes one UTF-8 sequence at bytes[pos]. On success returns true with the code point; on
// failure returns false and `length` is the maximal invalid subpart to replace (at least 1).
bool DecodeSequence(std::string_view bytes, size_t pos, char32_t& codePoint, size_t& length) {
    const auto byteAt = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byteAt(pos);
    length = 1;
    if (lead < 0x80) {
        codePoint = lead;
        return true;
    }
    size_t needed = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        needed = 1;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        needed = 2;
        codePoint = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        needed = 3;
        codePoint = lead & 0x07;
        if (lead == 0xF0) low = 0x90;   // no overlong forms
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return false;
    }
    for (size_t i = 1; i <= needed; ++i) {
        if (pos + i >= bytes.size()) return false;
        const unsigned char next = byteAt(pos + i);
        if (next < low || next > high) return false;
        low = 0x80;
        high = 0xBF;
        codePoint = (codePoint << 6) | (next & 0x3F);
        length = i + 1;
    }
    return true;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    char32_t codePoint = 0;
    size_t length = 0;
    for (size_t pos = 0; pos < bytes.size(); pos += length) {
        if (static_cast<unsigned char>(bytes[pos]) < 0x80) {
            length = 1;  // mostly ASCII: no decoding
        } else if (!DecodeSequence(bytes, pos, codePoint, length)) {
            return false;
        }
    }
    return true;
}

// Every character is written after the bytes it came from were read, and takes no more units
// than it had bytes: the bytes may lie in the memory written to (see Encoding.h).
wchar_t* PutUtf8(wchar_t* out, std::string_view bytes) {
    char32_t codePoint = 0;
    size_t length = 0;
    for (size_t pos = 0; pos < bytes.size();) {
        // Menu files are mostly ASCII: copy such a run without the general decoding.
        while (pos < bytes.size() && static_cast<unsigned char>(bytes[pos]) < 0x80) {
            *out++ = static_cast<wchar_t>(bytes[pos++]);
        }
        if (pos == bytes.size()) break;
        const bool valid = DecodeSequence(bytes, pos, codePoint, length);
        out = PutCodePoint(out, valid ? codePoint : kReplacementCharacter);
        pos += length;
    }
    return out;
}

std::wstring FromUtf8(std::string_view bytes) {
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(PutUtf8(text.data(), bytes) - text.data()));
    return text;
}

std::string ToUtf8(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = NextCodePoint(text, pos);
        if (c < 0x80) {
            bytes.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return bytes;
}

bool IsAscii(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (static_cast<unsigned long>(c) >= 0x80) return false;
    }
    return true;
}

}  // namespace platform::text
