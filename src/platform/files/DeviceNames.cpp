#include "platform/files/DeviceNames.h"

#include "platform/files/PathParts.h"

namespace platform::files {
namespace {

wchar_t UpperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? c - L'a' + L'A' : c; }

bool EqualsUpper(std::wstring_view name, std::wstring_view upper) {
    if (name.size() != upper.size()) return false;
    for (size_t i = 0; i < name.size(); ++i) {
        if (UpperAscii(name[i]) != upper[i]) return false;
    }
    return true;
}

bool IsPortDigit(wchar_t c) {
    return (c >= L'0' && c <= L'9') || c == L'\u00B9' || c == L'\u00B2' || c == L'\u00B3';
}

}  // namespace

bool IsDeviceName(std::wstring_view path) {
    if (path.starts_with(L"\\\\.\\") || path.starts_with(L"//./")) return true;
    std::wstring_view name = path.substr(NameStart(path));
    // Windows reads "NUL.txt", "NUL .txt" and "NUL:" as the device itself.
    name = name.substr(0, name.find_first_of(L".:"));
    while (!name.empty() && name.back() == L' ') name.remove_suffix(1);
    for (const std::wstring_view device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (EqualsUpper(name, device)) return true;
    }
    return name.size() == 4 && IsPortDigit(name[3]) &&
           (EqualsUpper(name.substr(0, 3), L"COM") || EqualsUpper(name.substr(0, 3), L"LPT"));
}

}  // namespace platform::files
