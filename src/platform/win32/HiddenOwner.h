#pragma once

#include <windows.h>

namespace platform {

// The hidden window that owns the application's fixed dialogs, so that they have no task-bar
// button of their own. It lives as long as the process. It is made as a message-only window,
// which costs next to nothing, and becomes a top-level window only when it is first to own one:
// start-up takes its handle and gives it icons, but the menu window needs no owner.
HWND HiddenOwnerWindow();
// The same window, made a top-level window first, as an owner has to be.
HWND HiddenOwnerOfWindows();

}  // namespace platform
