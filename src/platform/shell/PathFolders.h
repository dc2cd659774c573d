#pragma once

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Whether the drive ('C', 'n' ...) is a network drive.
using RemoteDriveTest = bool (*)(wchar_t drive);

// The folders of a PATH value in their order, quotes removed, variables expanded by `expand`,
// empty entries left out. A folder on a file server is left out too (a UNC path, or a drive
// that `isRemoteDrive` says is a network drive): a server that does not answer would hold up
// every icon behind it, and a program found only there gets the neutral icon.
std::vector<std::wstring> LocalPathFolders(
    const std::wstring& pathValue, const std::function<std::wstring(const std::wstring&)>& expand,
    RemoteDriveTest isRemoteDrive);

}  // namespace platform
