#pragma once

#include <string>
#include <string_view>

namespace platform::text {

// The text in lower case, character by character and the same length, for comparing names
// without regard to case (Latin, Cyrillic, Greek and the rest of Unicode, not only ASCII).
std::wstring FoldCase(std::wstring_view text);

}  // namespace platform::text
