#include <windows.h>

#include <climits>

#include "platform/text/Encoding.h"
#include "platform/text/win32/UserLocaleCodePage.h"

namespace platform::text {

// Both calls below take int lengths: longer input is converted piece by piece. A piece may split
// a double-byte character of an Asian code page; the single-byte code pages these menus use
// cannot be split.
namespace {
constexpr size_t kPiece = INT_MAX / 4;
}

unsigned UserLocaleAnsiCodePage() {
    DWORD codePage = 0;
    const int chars = sizeof codePage / sizeof(wchar_t);
    if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                        reinterpret_cast<LPWSTR>(&codePage), chars)) {
        return 0;
    }
    return codePage;
}

unsigned SystemLegacyCodePage() {
    static const unsigned codePage = LegacyCodePage(GetACP(), UserLocaleAnsiCodePage());
    return codePage;
}

std::wstring FromCodePage(std::string_view bytes, unsigned codePage) {
    std::wstring text;
    for (size_t start = 0; start < bytes.size(); start += kPiece) {
        const std::string_view piece = bytes.substr(start, kPiece);
        const int size = static_cast<int>(piece.size());
        const int length = MultiByteToWideChar(codePage, 0, piece.data(), size, nullptr, 0);
        const size_t at = text.size();
        text.resize(at + length);
        MultiByteToWideChar(codePage, 0, piece.data(), size, text.data() + at, length);
    }
    return text;
}

}  // namespace platform::text
