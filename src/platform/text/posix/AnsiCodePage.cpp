#include "platform/text/CodePoints.h"
#include "platform/text/Encoding.h"

namespace platform::text {

std::wstring FromAnsi(std::string_view bytes) {
    std::wstring text;
    text.reserve(bytes.size());
    for (const char byte : bytes) text.push_back(FromWindows1251(static_cast<unsigned char>(byte)));
    return text;
}

std::string ToAnsi(std::wstring_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (size_t pos = 0; pos < text.size();) {
        const char32_t c = NextCodePoint(text, pos);
        bytes.push_back(c > 0xFFFF ? '?' : ToWindows1251(static_cast<wchar_t>(c)));
    }
    return bytes;
}

}  // namespace platform::text
