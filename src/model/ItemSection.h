#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace model {

// Room for "Item " and any number.
using ItemSectionBuffer = std::array<wchar_t, 20>;

// "Item " and the number, written to `buffer`: a menu's load names a thousand sections, and
// building each as a string would cost an allocation.
std::wstring_view ItemSectionName(std::int32_t itemNumber, ItemSectionBuffer& buffer);

}  // namespace model
