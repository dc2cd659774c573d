#pragma once

#include <windows.h>

#include <optional>
#include <string>

// Text values of the registry. A null or empty name is the key's default value.
namespace platform {

// The REG_SZ value, or nothing when the key or the value is missing or holds another type.
std::optional<std::wstring> ReadRegistryText(HKEY root, const std::wstring& keyPath,
                                             const std::wstring& name);
// The REG_SZ or REG_EXPAND_SZ value, the latter with its variables expanded; empty when the key
// or the value is missing, empty or of another type.
std::wstring ReadExpandedRegistryText(HKEY root, const std::wstring& keyPath, const wchar_t* name);
// Stores a REG_SZ value, creating the key as needed.
bool WriteRegistryText(HKEY root, const std::wstring& keyPath, const std::wstring& name,
                       const std::wstring& value);

}  // namespace platform
