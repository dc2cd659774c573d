#pragma once

#include <string>
#include <system_error>

namespace platform {

// True when a file (not a folder) of that name exists. A device name (NUL, COM1 ...) counts as
// one, so that reading it is refused with its reason rather than reported as missing.
bool esIsFileExist(const std::wstring& fileName);
// The absolute path of the file; `resolve` is true at every call.
std::wstring esGetFullFileName(const std::wstring& fileName, bool resolve);
// The folder part of a path, without the trailing separator ("C:\\a\\b.txt" -> "C:\\a"), except
// that a root keeps it ("C:\\b.txt" -> "C:\\"). '\\' and '/' both separate.
std::wstring esGetFilePath(const std::wstring& path);
// The file-name part of a path, without its extension when `withoutExtension` (false at every
// call).
std::wstring esGetFileName(const std::wstring& path, bool withoutExtension);
// Makes the folder the process's current folder; the system's error when it cannot
// (files::ChangeCurrentFolder).
std::error_code esSetCurrentDirectory(const std::wstring& folder);

}  // namespace platform
