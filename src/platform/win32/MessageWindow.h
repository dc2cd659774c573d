#pragma once

#include <windows.h>

namespace platform {

// A message-only window of its own class (registered on first use), which costs next to nothing:
// no position, no painting, never seen.
HWND MakeMessageWindow(const wchar_t* className, WNDPROC procedure, const wchar_t* title = L"",
                       DWORD style = 0);

}  // namespace platform
