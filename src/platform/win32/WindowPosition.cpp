#include "platform/win32/WindowPosition.h"

namespace platform {

void MoveWindowTo(HWND window, const PixelRect& rect) {
    RECT now{};
    if (GetWindowRect(window, &now) && now.left == rect.left && now.top == rect.top &&
        now.right == rect.right && now.bottom == rect.bottom) {
        return;
    }
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform
