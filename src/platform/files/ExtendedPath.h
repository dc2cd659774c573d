#pragma once

#include <string>
#include <string_view>

namespace platform::files {

// The form of a full path that the Win32 file functions take at any length, not only below
// MAX_PATH: "C:\a" becomes "\\?\C:\a" and "\\server\share\a" "\\?\UNC\server\share\a". A path
// already in that form, a device path ("\\.\...") and a path that is not full are given back
// as they are. The prefixed form is passed to the system as it is, so the path must already be
// normalised (GetFullPathNameW: "\" separators, "." and ".." resolved).
std::wstring ExtendedPath(std::wstring_view fullPath);

}  // namespace platform::files
