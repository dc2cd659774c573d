#pragma once

#include <optional>
#include <string>

#include "platform/WinConstants.h"

// What the shell tells of a file: the name it shows, and where a shortcut leads. Win32
// (shell/win32) and native (shell/posix, where there is no shell).
namespace platform {

// The name the shell shows for the file or folder: a localised name where the folder has one,
// the extension shown or hidden as the user has chosen. Natively, the name itself.
std::wstring ShellDisplayName(const std::wstring& path);

struct ShortcutTarget {
    // As the shortcut holds it, environment variables kept; empty when the target is no
    // file-system path (a shell folder, an installed app).
    std::wstring path;
    std::wstring arguments;
    std::wstring workingFolder;
    int showCommand = kSwShowNormal;
    // Made by an installer (advertised): it starts what the installer keeps, and the path the
    // shell gives for it is only its icon.
    bool advertised = false;
};

// Reads a shortcut (.lnk) without following it: nothing is resolved or searched for. Nothing
// when it cannot be read; natively no shortcut can be.
std::optional<ShortcutTarget> ReadShortcut(const std::wstring& path);

}  // namespace platform
