#include "platform/win32/WorkingWindow.h"

namespace platform {

namespace {

BOOL CALLBACK TakeWindowThatTakesInput(HWND window, LPARAM found) {
    if (!IsWindowVisible(window) || !IsWindowEnabled(window) ||
        (GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

HWND WorkingWindow() {
    // A thread has no active window while another program's window is in the foreground.
    if (HWND active = GetActiveWindow()) {
        HWND root = GetAncestor(active, GA_ROOT);
        if (root && IsWindowVisible(root)) return root;
    }
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), TakeWindowThatTakesInput,
                      reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace platform
