#pragma once

#include <optional>
#include <string>
#include <string_view>

// Numbers as text without the C library's formatting and scanning, which would bring some
// 60 KB into the program (std::to_wstring and std::swprintf format through vswprintf,
// std::swscanf scans floating point too).
namespace platform::text {

// `value` in decimal digits, with a minus sign before a negative one.
std::wstring Decimal(long long value);

// The number that `text` is, whole: an optional minus sign and at least one decimal digit,
// within the range of int; nothing for anything else (blanks, a plus sign, other characters).
std::optional<int> ParseDecimal(std::wstring_view text);

// The last `digits` hexadecimal digits of `value`, in lower case, with leading zeros.
std::wstring Hexadecimal(unsigned long value, int digits);

}  // namespace platform::text
