#pragma once

#include <windows.h>

namespace platform {

// The hidden top-level window that owns the application's fixed dialogs, so that they have no
// task-bar button of their own. Created on first use; it lives as long as the process.
HWND HiddenOwnerWindow();

}  // namespace platform
