#include <windows.h>

#include <climits>

#include "platform/text/Encoding.h"
#include "platform/text/win32/UserLocaleCodePage.h"

namespace platform::text {

// MultiByteToWideChar takes int lengths: longer input is converted piece by piece. A piece may
// split a double-byte character of an Asian code page.
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

wchar_t* PutCodePage(wchar_t* out, std::string_view bytes, unsigned codePage) {
    CPINFO information{};
    if (GetCPInfo(codePage, &information) && information.MaxCharSize == 1) {
        // A byte a character: the code page's 256 characters as a table, applied byte by byte,
        // which may write over the bytes themselves.
        char all[256];
        for (int byte = 0; byte < 256; ++byte) all[byte] = static_cast<char>(byte);
        wchar_t table[256];
        if (MultiByteToWideChar(codePage, 0, all, 256, table, 256) == 256) {
            for (const char byte : bytes) *out++ = table[static_cast<unsigned char>(byte)];
            return out;
        }
    }
    // A double-byte code page: the system decodes a copy of the bytes, piece by piece.
    const std::string copy(bytes);
    for (size_t start = 0; start < copy.size(); start += kPiece) {
        const std::string_view piece = std::string_view(copy).substr(start, kPiece);
        const int size = static_cast<int>(piece.size());
        out += MultiByteToWideChar(codePage, 0, piece.data(), size, out, size);
    }
    return out;
}

}  // namespace platform::text
