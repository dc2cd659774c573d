#pragma once

#include "platform/Environment.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Keyboard.h"
#include "platform/win32/Win32SettingsStore.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32WindowSystem.h"

namespace platform {

// The real operating system, to be installed with ScopedEnvironment(environment.Get()).
class Win32Environment {
public:
    Win32Environment() = default;
    Win32Environment(const Win32Environment&) = delete;
    Win32Environment& operator=(const Win32Environment&) = delete;

    Environment& Get() { return environment_; }

private:
    Win32WindowSystem windows_;
    Win32Dialogs dialogs_;
    Win32Shell shell_;
    Win32Keyboard keyboard_;
    Win32SettingsStore settings_;
    Environment environment_{windows_, dialogs_, shell_, keyboard_, settings_};
};

}  // namespace platform
