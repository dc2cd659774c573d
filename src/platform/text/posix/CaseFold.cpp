#include "platform/text/CaseFold.h"

#include <clocale>
#include <cwctype>

namespace platform::text {
namespace {

// towlower follows LC_CTYPE, and the "C" locale knows only ASCII: use a UTF-8 locale of our
// own, whatever the process's locale is.
locale_t UnicodeLocale() {
    static const locale_t locale = [] {
        locale_t found = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(0));
        if (!found) found = newlocale(LC_CTYPE_MASK, "en_US.UTF-8", static_cast<locale_t>(0));
        return found;
    }();
    return locale;
}

}  // namespace

void FoldCaseInto(std::wstring_view text, wchar_t* out) {
    const locale_t locale = UnicodeLocale();
    for (const wchar_t c : text) {
        if (c >= L'A' && c <= L'Z') {
            *out++ = static_cast<wchar_t>(c + (L'a' - L'A'));
        } else if (c >= 0x80 && locale) {
            *out++ = static_cast<wchar_t>(towlower_l(static_cast<wint_t>(c), locale));
        } else {
            *out++ = c;
        }
    }
}

}  // namespace platform::text
