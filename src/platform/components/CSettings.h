#pragma once

#include <string>

#include "platform/Application.h"
#include "platform/WindowHandle.h"

namespace platform {

// The section of the user's choices: "Icons", "Language".
inline constexpr wchar_t kOptionsSection[] = L"Options";

// Named values in sections, per user and application: the registry key
// HKEY_CURRENT_USER\Software\<CompanyKey>\<ProductKey>\<section>, one string value per name.
class CSettings {
public:
    std::wstring ReadValue(const std::wstring& section, const std::wstring& name, int reserved,
                           const std::wstring& defaultValue, const Application& app, bool perUser,
                           int flag);
    bool WriteValue(const std::wstring& section, const std::wstring& name, int reserved,
                    const std::wstring& value, const Application& app, bool perUser, int flag);

    // Applies the placement stored under `name`, clamped onto a monitor that exists now. False
    // when nothing usable is stored.
    bool RestoreWindowPlacement(const std::wstring& section, const std::wstring& name,
                                WindowHandle form, const Application& app, int reserved1,
                                int reserved2, int reserved3, bool perUser);
    bool SaveWindowPlacement(const std::wstring& section, const std::wstring& name,
                             WindowHandle form, const Application& app, bool perUser);
};

}  // namespace platform
