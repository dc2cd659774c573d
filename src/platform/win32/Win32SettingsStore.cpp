#include "platform/win32/Win32SettingsStore.h"

#include "platform/win32/Registry.h"

namespace platform {

std::optional<std::wstring> Win32SettingsStore::Read(const std::wstring& keyPath,
                                                     const std::wstring& name) {
    return ReadRegistryText(HKEY_CURRENT_USER, keyPath, name);
}

bool Win32SettingsStore::Write(const std::wstring& keyPath, const std::wstring& name,
                               const std::wstring& value) {
    return WriteRegistryText(HKEY_CURRENT_USER, keyPath, name, value);
}

std::optional<std::wstring> Win32SettingsStore::ReadMachine(const std::wstring& keyPath,
                                                            const std::wstring& name) {
    return ReadRegistryText(HKEY_LOCAL_MACHINE, keyPath, name);
}

}  // namespace platform
