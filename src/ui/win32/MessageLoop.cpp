#include "ui/win32/MessageLoop.h"

#include <array>

#include "ui/win32/Win32Form.h"

namespace ui {

namespace {

using KeyState = std::array<BYTE, 256>;

KeyState CurrentKeyState() {
    KeyState keys{};
    GetKeyboardState(keys.data());
    return keys;
}

// A key handler that opened a modal form has let the loop inside it take the key's release and
// the modifiers' (Ctrl+A would then type "a"): the character is the one the key gave when it
// was pressed, so it is translated with the key state of that moment. The key then goes to its
// window as it is; the dialog manager would translate it once more.
void DeliverWithKeyStateOf(const KeyState& pressed, MSG& message) {
    KeyState now = CurrentKeyState();
    SetKeyboardState(const_cast<BYTE*>(pressed.data()));
    TranslateMessage(&message);
    SetKeyboardState(now.data());
    DispatchMessageW(&message);
}

}  // namespace

void DispatchQueuedMessage(MSG& message) {
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (Win32Form* form = Win32Form::FromWindow(root)) {
        if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
            const KeyState pressed = CurrentKeyState();
            if (form->RouteKey(message)) return;
            if (CurrentKeyState() != pressed) {
                DeliverWithKeyStateOf(pressed, message);
                return;
            }
        }
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
