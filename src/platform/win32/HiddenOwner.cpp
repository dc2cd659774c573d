#include "platform/win32/HiddenOwner.h"

#include "platform/Application.h"
#include "platform/win32/MessageWindow.h"
#include "platform/win32/WindowIcons.h"

namespace platform {

namespace {

constexpr wchar_t kOwnerClass[] = L"ShowLarkspur.Owner";

// Its icons follow the DPI and go with it through its own procedure (platform/win32/WindowIcons.h).
LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED) {
        ReloadWindowIcons(window, HIWORD(wParam));
    } else if (message == WM_NCDESTROY) {
        ReleaseWindowIcons(window);
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND HiddenOwnerWindow() {
    static HWND owner = nullptr;
    if (!owner || !IsWindow(owner)) {
        owner = MakeMessageWindow(kOwnerClass, OwnerProc, App().Title.c_str(),
                                  WS_OVERLAPPED | WS_SYSMENU);
    }
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
