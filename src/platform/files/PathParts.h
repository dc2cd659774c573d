#pragma once

#include <string>
#include <string_view>

// Splitting paths into folder and name, with '\' and '/' both taken as separators.
namespace platform::files {

inline bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

// Where the name part begins: after the last separator, or after a drive ("C:name").
size_t NameStart(std::wstring_view path);

// The folder part without its trailing separator ("C:\a\b.txt" -> "C:\a"), except that a root
// keeps it ("C:\b.txt" -> "C:\", "/b" -> "/"): without it the name would mean another folder.
// Empty when the path has no folder part.
std::wstring FolderOf(std::wstring_view path);

// The name part ("C:\a\b.txt" -> "b.txt"); without its extension ("b") when asked.
std::wstring NameOf(std::wstring_view path, bool withoutExtension = false);

}  // namespace platform::files
