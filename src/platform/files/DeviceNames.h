#pragma once

#include <string_view>

namespace platform::files {

// True when the path names a device rather than a file: a name Windows keeps for its devices
// (CON, PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9, COM and LPT with a superscript 1 to 3,
// CONIN$, CONOUT$), in any letter case, also with an extension or blanks after it
// ("nul.txt", "COM1 .Larkspur"), in any folder; or a path in the device namespace ("\\.\...").
// Opening one reads a port, a console or nothing at all, and writing to one loses the text.
bool IsDeviceName(std::wstring_view path);

}  // namespace platform::files
