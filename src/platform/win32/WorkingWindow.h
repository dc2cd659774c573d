#pragma once

#include <windows.h>

namespace platform {

// The program's top-level window the user works in, to own what the program shows next: the
// active window, or, while another program is in the foreground, the foremost window of this
// thread that is visible, enabled and has a caption (the modal form on top of the others).
// Null when the program shows no such window.
HWND WorkingWindow();

}  // namespace platform
