#include "platform/text/NumberText.h"

#include <iterator>
#include <limits>

namespace platform::text {

std::wstring Decimal(long long value) {
    // Counted as unsigned, so that the smallest long long has its digits too.
    const auto bits = static_cast<unsigned long long>(value);
    unsigned long long magnitude = value < 0 ? 0ull - bits : bits;
    wchar_t digits[24];
    wchar_t* start = digits + std::size(digits);
    do {
        *--start = static_cast<wchar_t>(L'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--start = L'-';
    return std::wstring(start, digits + std::size(digits));
}

std::optional<int> ParseDecimal(std::wstring_view text) {
    const bool negative = !text.empty() && text.front() == L'-';
    if (negative) text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    const long long limit = negative ? -static_cast<long long>(std::numeric_limits<int>::min())
                                     : std::numeric_limits<int>::max();
    long long magnitude = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > limit) return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

std::wstring Hexadecimal(unsigned long value, int digits) {
    std::wstring text(static_cast<size_t>(digits), L'0');
    for (auto digit = text.rbegin(); digit != text.rend(); ++digit, value >>= 4) {
        *digit = L"0123456789abcdef"[value & 0xF];
    }
    return text;
}

}  // namespace platform::text
