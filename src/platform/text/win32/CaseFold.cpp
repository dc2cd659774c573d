#include "platform/text/CaseFold.h"

#include <windows.h>

#include <climits>

namespace platform::text {

std::wstring FoldCase(std::wstring_view text) {
    std::wstring folded(text);
    bool ascii = true;
    for (wchar_t& c : folded) {
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c + (L'a' - L'A'));
        if (c >= 0x80) ascii = false;
    }
    if (ascii || folded.size() > INT_MAX) return folded;
    // Lower case maps code unit to code unit, so the length stays.
    std::wstring lower(folded.size(), L'\0');
    const int length = static_cast<int>(folded.size());
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, folded.data(), length, lower.data(),
                      length, nullptr, nullptr, 0) != length) {
        return folded;
    }
    return lower;
}

}  // namespace platform::text
