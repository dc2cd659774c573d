#pragma once

#include <windows.h>

#include <string>

namespace platform::files {

// Renames the open file to `target` (a full path), replacing the file there even while other
// programs hold it open, as long as they share deletion (sync clients, indexers and virus
// scanners do): a rename with POSIX semantics, which Windows 10 1607 and later offer on NTFS.
// The file must be open with DELETE access. Gives ERROR_SUCCESS or the system's error; where
// the system or the file system has no such rename, ERROR_INVALID_PARAMETER or the like.
DWORD RenameReplacingHeldTarget(HANDLE file, const std::wstring& target);

}  // namespace platform::files
