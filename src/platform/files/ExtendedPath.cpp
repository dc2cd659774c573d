#include "platform/files/ExtendedPath.h"

#include "platform/files/PathParts.h"

namespace platform::files {

std::wstring ExtendedPath(std::wstring_view fullPath) {
    if (fullPath.starts_with(L"\\\\?\\") || fullPath.starts_with(L"\\\\.\\")) {
        return std::wstring(fullPath);
    }
    if (fullPath.size() > 2 && IsSeparator(fullPath[0]) && IsSeparator(fullPath[1])) {
        return L"\\\\?\\UNC\\" + std::wstring(fullPath.substr(2));
    }
    const bool onDrive = fullPath.size() >= 3 && fullPath[1] == L':' && IsSeparator(fullPath[2]) &&
                         ((fullPath[0] >= L'A' && fullPath[0] <= L'Z') ||
                          (fullPath[0] >= L'a' && fullPath[0] <= L'z'));
    if (onDrive) return L"\\\\?\\" + std::wstring(fullPath);
    return std::wstring(fullPath);
}

}  // namespace platform::files
