#include "platform/text/Encoding.h"

namespace platform::text {
namespace {

// The value of a character of modified base64, or -1 for any other.
int Base64Value(wchar_t c) {
    if (c >= L'A' && c <= L'Z') return c - L'A';
    if (c >= L'a' && c <= L'z') return c - L'a' + 26;
    if (c >= L'0' && c <= L'9') return c - L'0' + 52;
    if (c == L'+') return 62;
    if (c == L'/') return 63;
    return -1;
}

}  // namespace

// "+-" is a plus sign; any other "+" starts a run of base64 holding UTF-16 big-endian code
// units, which ends at the first character outside base64: a "-" there is taken with the run,
// any other character is text again. Bits short of a whole code unit at a run's end are dropped.
std::wstring FromUtf7(std::wstring_view text) {
    std::wstring decoded;
    decoded.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        const wchar_t c = text[pos++];
        if (c != L'+') {
            decoded += c;
            continue;
        }
        if (pos < text.size() && text[pos] == L'-') {
            decoded += L'+';
            ++pos;
            continue;
        }
        std::string units;
        unsigned bits = 0;
        int bitCount = 0;
        for (int value; pos < text.size() && (value = Base64Value(text[pos])) >= 0; ++pos) {
            bits = (bits << 6 | static_cast<unsigned>(value)) & 0xFFFF;
            bitCount += 6;
            if (bitCount >= 8) {
                bitCount -= 8;
                units += static_cast<char>(bits >> bitCount & 0xFF);
            }
        }
        decoded += FromUtf16Be(units);
        if (pos < text.size() && text[pos] == L'-') ++pos;
    }
    return decoded;
}

}  // namespace platform::text
