#include "platform/win32/HiddenOwner.h"

#include "platform/Application.h"

namespace platform {

namespace {

constexpr wchar_t kOwnerClass[] = L"ShowLarkspur.Owner";

HWND CreateOwner() {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
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
    // The icons it was given stay with it.
    if (GetAncestor(owner, GA_PARENT) != GetDesktopWindow()) SetParent(owner, nullptr);
    return owner;
}

}  // namespace platform
