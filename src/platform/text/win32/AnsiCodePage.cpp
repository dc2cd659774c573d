#include <windows.h>

#include <climits>

#include "platform/text/Encoding.h"

namespace platform::text {

// Both calls take int lengths: longer input is converted piece by piece. A piece may split a
// double-byte character of an Asian code page; the single-byte code pages these menus use
// cannot be split.
namespace {
constexpr size_t kPiece = INT_MAX / 4;
}

std::wstring FromAnsi(std::string_view bytes) {
    std::wstring text;
    for (size_t start = 0; start < bytes.size(); start += kPiece) {
        const std::string_view piece = bytes.substr(start, kPiece);
        const int size = static_cast<int>(piece.size());
        const int length = MultiByteToWideChar(CP_ACP, 0, piece.data(), size, nullptr, 0);
        const size_t at = text.size();
        text.resize(at + length);
        MultiByteToWideChar(CP_ACP, 0, piece.data(), size, text.data() + at, length);
    }
    return text;
}

std::string ToAnsi(std::wstring_view text) {
    std::string bytes;
    for (size_t start = 0; start < text.size(); start += kPiece) {
        const std::wstring_view piece = text.substr(start, kPiece);
        const int size = static_cast<int>(piece.size());
        const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, piece.data(), size,
                                               nullptr, 0, nullptr, nullptr);
        const size_t at = bytes.size();
        bytes.resize(at + length);
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, piece.data(), size, bytes.data() + at,
                            length, nullptr, nullptr);
    }
    return bytes;
}

}  // namespace platform::text
