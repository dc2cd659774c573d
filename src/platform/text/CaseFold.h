#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::text {

// The text in lower case, character by character and the same length, for comparing names
// without regard to case (Latin, Cyrillic, Greek and the rest of Unicode, not only ASCII).
std::wstring FoldCase(std::wstring_view text);
// FoldCase written to `out`, which has room for text.size() characters.
void FoldCaseInto(std::wstring_view text, wchar_t* out);

// FoldCase(a) == FoldCase(b), and a hash of FoldCase(text), without allocating: names are
// compared this way on every lookup. The hash is keyed at random once per process, so names
// cannot be chosen to collide; it differs from run to run and is not to be stored.
bool EqualIgnoringCase(std::wstring_view a, std::wstring_view b);
// Whether the text ends with `tail`, compared as EqualIgnoringCase compares.
bool EndsWithIgnoringCase(std::wstring_view text, std::wstring_view tail);
size_t HashIgnoringCase(std::wstring_view text);

}  // namespace platform::text
