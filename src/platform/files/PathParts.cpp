#include "platform/files/PathParts.h"

namespace platform::files {

size_t NameStart(std::wstring_view path) {
    for (size_t i = path.size(); i > 0; --i) {
        if (IsSeparator(path[i - 1])) return i;
    }
    if (path.size() >= 2 && path[1] == L':') return 2;
    return 0;
}

std::wstring FolderOf(std::wstring_view path) {
    const std::wstring_view folder = path.substr(0, NameStart(path));
    size_t end = folder.size();
    while (end > 0 && IsSeparator(folder[end - 1])) --end;
    if (end == 0) return std::wstring(folder.substr(0, 1));  // "/" or "\", or nothing
    const bool driveRoot = end == 2 && folder[1] == L':' && folder.size() > 2;
    return std::wstring(folder.substr(0, driveRoot ? 3 : end));
}

std::wstring NameOf(std::wstring_view path, bool withoutExtension) {
    std::wstring_view name = path.substr(NameStart(path));
    if (withoutExtension) {
        const size_t dot = name.rfind(L'.');
        if (dot != std::wstring_view::npos && dot > 0) name = name.substr(0, dot);
    }
    return std::wstring(name);
}

}  // namespace platform::files
