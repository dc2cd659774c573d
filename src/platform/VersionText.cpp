#include "platform/VersionText.h"

#include <cstddef>

#include "platform/text/NumberText.h"

namespace platform {

namespace {
// Decimal digits of `value`, padded with leading zeros to at least `minDigits`.
std::wstring ZeroPadded(int value, std::size_t minDigits) {
    std::wstring digits = text::Decimal(value);
    if (digits.size() < minDigits) digits.insert(0, minDigits - digits.size(), L'0');
    return digits;
}
}  // namespace

std::wstring VersionText(const Application& app) {
    return ZeroPadded(app.Major, 1) + L"." + ZeroPadded(app.Minor, 2) + L"." +
           ZeroPadded(app.Revision, 4);
}

}  // namespace platform
