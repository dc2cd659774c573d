#pragma once

#include <string>

namespace platform::files {

// The full form the system gives a path (GetFullPathNameW on Windows).
using FullPathFunction = std::wstring (*)(const std::wstring& path);

// True when the system takes the path for a device rather than a file: when its full form is
// a path in the device namespace ("\\.\NUL", "\\.\COM1"). Since Windows 11 only a bare device
// name is one ("NUL", "C:\menus\aux", "COM1:"); before, a name with an extension or blanks
// after it too ("nul.txt", "LPT1 .txt"). A path given in that namespace
// ("\\.\PhysicalDrive0") is one as well. Opening one reads a port, a console or nothing at
// all, and writing to one loses the text. Outside Windows no name is a device.
bool IsDeviceName(const std::wstring& path, FullPathFunction fullPath);
bool IsDeviceName(const std::wstring& path);

}  // namespace platform::files
