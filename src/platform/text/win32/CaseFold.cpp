#include "platform/text/CaseFold.h"

#include <windows.h>

#include <climits>

namespace platform::text {
namespace {

// A..Z to a..z; true when the text is all ASCII.
bool FoldAscii(std::wstring_view text, wchar_t* out) {
    bool ascii = true;
    for (const wchar_t c : text) {
        *out++ = c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c + (L'a' - L'A')) : c;
        if (c >= 0x80) ascii = false;
    }
    return ascii;
}

}  // namespace

void FoldCaseInto(std::wstring_view text, wchar_t* out) {
    if (FoldAscii(text, out) || text.size() > INT_MAX) return;
    // Lower case maps code unit to code unit, so the length stays; should the system fail, the
    // ASCII folding stands.
    const int length = static_cast<int>(text.size());
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_LOWERCASE, text.data(), length, out, length,
                      nullptr, nullptr, 0) != length) {
        FoldAscii(text, out);
    }
}

}  // namespace platform::text
