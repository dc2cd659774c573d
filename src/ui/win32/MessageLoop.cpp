#include "ui/win32/MessageLoop.h"

#include "ui/win32/Win32Form.h"

namespace ui {

void DispatchQueuedMessage(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (Win32Form* form = Win32Form::FromWindow(root)) {
        bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
        if (keyDown && form->RouteKey(message)) return;
        if (IsDialogMessageW(root, &message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
}

std::optional<int> RunMessagesUntil(const std::function<bool()>& done) {
    MSG message{};
    while (!done()) {
        BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return 0;
        DispatchQueuedMessage(message);
    }
    return std::nullopt;
}

void ProcessPendingMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        DispatchQueuedMessage(message);
    }
}

}  // namespace ui
