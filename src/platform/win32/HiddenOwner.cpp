#include "platform/win32/HiddenOwner.h"

#include "platform/Application.h"
#include "platform/win32/WindowIcons.h"

namespace platform {

namespace {

constexpr wchar_t kOwnerClass[] = L"ShowLarkspur.Owner";

LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED) {
        ReloadWindowIcons(window, HIWORD(wParam));
    } else if (message == WM_NCDESTROY) {
        ReleaseWindowIcons(window);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateOwner() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    return CreateWindowExW(0, kOwnerClass, App().Title.c_str(), WS_OVERLAPPED | WS_SYSMENU, 0, 0,
                           0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
}

}  // namespace

HWND HiddenOwnerWindow() {
    static HWND owner = nullptr;
    if (!owner || !IsWindow(owner)) owner = CreateOwner();
    return owner;
}

HWND HiddenOwnerOfWindows() {
    HWND owner = HiddenOwnerWindow();
    if (IsMessageOnlyWindow(owner)) {
        SetParent(owner, nullptr);
        LoadKeptIcons(owner);  // the icons it was given while they could not be seen
    }
    return owner;
}

}  // namespace platform
