#pragma once

#include <windows.h>

#include <string>

namespace platform {

// The system's text for an error code, without the line break it ends with; empty when the
// system has none.
std::wstring SystemErrorText(DWORD code);

}  // namespace platform
