#pragma once

#include "platform/Environment.h"

namespace platform {

// Values under HKEY_CURRENT_USER\<keyPath>, as REG_SZ; the machine's under HKEY_LOCAL_MACHINE.
class Win32SettingsStore : public SettingsStore {
public:
    std::optional<std::wstring> Read(const std::wstring& keyPath,
                                     const std::wstring& name) override;
    bool Write(const std::wstring& keyPath, const std::wstring& name,
               const std::wstring& value) override;
    std::optional<std::wstring> ReadMachine(const std::wstring& keyPath,
                                            const std::wstring& name) override;
};

}  // namespace platform
