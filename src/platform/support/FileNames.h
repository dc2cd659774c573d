#pragma once

#include <string>

namespace platform {

// True when a file (not a folder) of that name exists.
bool esIsFileExist(const std::wstring& fileName);
// The absolute path of the file; `resolve` is true at every call.
std::wstring esGetFullFileName(const std::wstring& fileName, bool resolve);
// The folder part of a path, without the trailing separator ("C:\\a\\b.txt" -> "C:\\a").
std::wstring esGetFilePath(const std::wstring& path);
// The file-name part of a path; `withoutExtension` is false at every call.
std::wstring esGetFileName(const std::wstring& path, bool withoutExtension);
void esSetCurrentDirectory(const std::wstring& folder);

}  // namespace platform
