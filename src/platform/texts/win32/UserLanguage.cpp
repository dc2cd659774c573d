#include <windows.h>

#include "platform/texts/Texts.h"

namespace platform {

// The display language is a LANGID; its ISO 639-1 name is what the tables are named by, so a
// Russian of any country (ru-RU, ru-MD) is Russian.
std::wstring UserInterfaceLanguage() {
    wchar_t code[9] = L"";  // LOCALE_SISO639LANGNAME: nine characters at most, the null included
    const LCID locale = MAKELCID(GetUserDefaultUILanguage(), SORT_DEFAULT);
    if (GetLocaleInfoW(locale, LOCALE_SISO639LANGNAME, code, 9) == 0) return L"";
    return code;
}

}  // namespace platform
