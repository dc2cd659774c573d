#include "platform/shell/PathFolders.h"

#include <cwctype>

#include "platform/files/PathParts.h"

namespace platform {

namespace {

using files::IsSeparator;

bool IsDrivePath(std::wstring_view folder) { return folder.size() >= 2 && folder[1] == L':'; }

// "UNC\", in any case.
bool StartsWithUnc(std::wstring_view folder) {
    if (folder.size() < 4 || !IsSeparator(folder[3])) return false;
    for (size_t i = 0; i < 3; ++i) {
        if (static_cast<wchar_t>(std::towupper(folder[i])) != L"UNC"[i]) return false;
    }
    return true;
}

bool IsOnServer(std::wstring_view folder, RemoteDriveTest isRemoteDrive) {
    // The forms valid at any length: "\\?\C:\..." is on a drive, "\\?\UNC\server\..." on a
    // share, "\\?\Volume{...}\..." on a volume of this machine.
    if (folder.starts_with(L"\\\\?\\") || folder.starts_with(L"\\\\.\\")) {
        folder.remove_prefix(4);
        if (StartsWithUnc(folder)) return true;
    } else if (folder.size() >= 2 && IsSeparator(folder[0]) && IsSeparator(folder[1])) {
        return true;
    }
    return IsDrivePath(folder) && isRemoteDrive(folder[0]);
}

}  // namespace

std::vector<std::wstring> LocalPathFolders(
    const std::wstring& pathValue, const std::function<std::wstring(const std::wstring&)>& expand,
    RemoteDriveTest isRemoteDrive) {
    std::vector<std::wstring> folders;
    size_t start = 0;
    while (start <= pathValue.size()) {
        size_t end = pathValue.find(L';', start);
        if (end == std::wstring::npos) end = pathValue.size();
        std::wstring entry = pathValue.substr(start, end - start);
        std::erase(entry, L'"');
        if (!entry.empty()) {
            entry = expand(entry);
            if (!IsOnServer(entry, isRemoteDrive)) folders.push_back(std::move(entry));
        }
        start = end + 1;
    }
    return folders;
}

}  // namespace platform
