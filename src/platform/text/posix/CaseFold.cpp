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

std::wstring FoldCase(std::wstring_view text) {
    std::wstring folded(text);
    const locale_t locale = UnicodeLocale();
    for (wchar_t& c : folded) {
        if (c >= L'A' && c <= L'Z') {
            c = static_cast<wchar_t>(c + (L'a' - L'A'));
        } else if (c >= 0x80 && locale) {
            c = static_cast<wchar_t>(towlower_l(static_cast<wint_t>(c), locale));
        }
    }
    return folded;
}

}  // namespace platform::text
