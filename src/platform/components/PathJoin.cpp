#include "platform/components/PathJoin.h"

#include "platform/files/PathParts.h"

namespace platform {

namespace {
#ifdef _WIN32
constexpr wchar_t kSeparator = L'\\';
#else
constexpr wchar_t kSeparator = L'/';
#endif
}  // namespace

std::wstring PathInFolder(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    if (files::IsSeparator(folder.back())) return folder + name;
    return folder + kSeparator + name;
}

}  // namespace platform
