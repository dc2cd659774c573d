#include "platform/win32/MessageWindow.h"

namespace platform {

HWND MakeMessageWindow(const wchar_t* className, WNDPROC procedure, const wchar_t* title,
                       DWORD style) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    return CreateWindowExW(0, className, title, style, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance,
                           nullptr);
}

}  // namespace platform
