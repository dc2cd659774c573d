#include "model/ItemSection.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace model {

std::wstring_view ItemSectionName(std::int32_t itemNumber, ItemSectionBuffer& buffer) {
    constexpr std::wstring_view kPrefix = L"Item ";
    char digits[12];
    const char* const end = std::to_chars(std::begin(digits), std::end(digits), itemNumber).ptr;
    wchar_t* out = std::copy(kPrefix.begin(), kPrefix.end(), buffer.data());
    out = std::copy(static_cast<const char*>(digits), end, out);
    return std::wstring_view(buffer.data(), static_cast<size_t>(out - buffer.data()));
}

}  // namespace model
