#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "model/CCommand.h"
#include "model/ShowCommandNames.h"
#include "platform/WinConstants.h"
#include "platform/support/TextTrim.h"

namespace model {
namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The names are ASCII; folding only ASCII keeps "SW_HİDE" and the like from matching.
std::wstring ToUpperAscii(std::wstring text) {
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }
    return text;
}

// An optional sign, decimal digits and a fraction after "." or ",", rounded half to even.
// Nothing when the text is not such a number or its value does not fit in 32 bits.
std::optional<std::int32_t> ReadRoundedNumber(std::wstring_view text) {
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
        negative = text[pos] == L'-';
        ++pos;
    }
    std::int64_t whole = 0;
    size_t digitCount = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digitCount) {
        whole = whole * 10 + (text[pos] - L'0');
        if (whole > kLimit) return std::nullopt;
    }
    int firstFractionDigit = 0;
    bool nonZeroAfterFirst = false;
    if (pos < text.size() && (text[pos] == L'.' || text[pos] == L',')) {
        ++pos;
        if (pos < text.size() && IsDigit(text[pos])) {
            firstFractionDigit = text[pos] - L'0';
            ++pos;
            ++digitCount;
        }
        for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digitCount) {
            if (text[pos] != L'0') nonZeroAfterFirst = true;
        }
    }
    if (digitCount == 0 || pos != text.size()) return std::nullopt;

    const bool above = firstFractionDigit > 5 || (firstFractionDigit == 5 && nonZeroAfterFirst);
    const bool tie = firstFractionDigit == 5 && !nonZeroAfterFirst;
    if (above || (tie && whole % 2 == 1)) ++whole;
    const std::int64_t value = negative ? -whole : whole;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace

std::int32_t CCommand::ShowCommandFromString(const std::wstring& text) {
    const std::wstring name = ToUpperAscii(
        platform::asTrimEx2(text, true, true, true, true, true, false, false, false, false, false));
    for (size_t number = 0; number < kShowCommandNames.size(); ++number) {
        const ShowCommandName& entry = kShowCommandNames[number];
        if (name == entry.writeName) return static_cast<std::int32_t>(number);
        for (std::wstring_view alias : entry.aliases) {
            if (!alias.empty() && name == alias) return static_cast<std::int32_t>(number);
        }
    }
    const std::optional<std::int32_t> number = ReadRoundedNumber(name);
    const std::int32_t highest = static_cast<std::int32_t>(kShowCommandNames.size()) - 1;
    if (!number || *number < 0 || *number > highest) return platform::kSwShowDefault;
    return *number;
}

std::wstring CCommand::ShowCommandToString(std::int32_t showCommand) {
    if (showCommand < 0 || showCommand >= static_cast<std::int32_t>(kShowCommandNames.size())) {
        return {};
    }
    return std::wstring(kShowCommandNames[static_cast<size_t>(showCommand)].writeName);
}

}  // namespace model
