#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/WinConstants.h"

// What the shell tells of a file: the name it shows, and where a shortcut leads. Win32
// (shell/win32) and native (shell/posix, where there is no shell). On Windows the calling thread
// has COM started.
namespace platform {

// The names the shell shows for files and folders: a localised name where the folder has one,
// the extension shown or hidden as the user has chosen. Natively, the names themselves. Made
// for many files: the folder a file lies in is bound once for the files after it in that
// folder (a thousand names one by one took 6 to 12 s under Wine, a third of that so).
class ShellNames {
public:
    ShellNames();
    ~ShellNames();
    ShellNames(const ShellNames&) = delete;
    ShellNames& operator=(const ShellNames&) = delete;

    std::wstring DisplayName(const std::wstring& path);

private:
    struct Folder;
    std::unique_ptr<Folder> folder_;  // the folder of the last file asked
};

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
