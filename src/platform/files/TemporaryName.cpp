#include "platform/files/TemporaryName.h"

#include <cwchar>
#include <random>

#include "platform/files/PathParts.h"

namespace platform::files {

std::wstring SiblingTemporaryName(const std::wstring& path) {
    static std::mt19937 generator{std::random_device{}()};
    wchar_t suffix[16];
    std::swprintf(suffix, 16, L"~%08x.tmp", static_cast<unsigned>(generator()));
    return path.substr(0, NameStart(path)) + suffix;
}

}  // namespace platform::files
