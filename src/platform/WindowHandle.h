#pragma once

namespace platform {

// A window's handle: the HWND on Windows, an identifier the headless desktop hands out
// elsewhere. Null means no window.
using WindowHandle = void*;

}  // namespace platform
