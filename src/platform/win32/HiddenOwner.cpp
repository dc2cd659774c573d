#include "platform/win32/HiddenOwner.h"

#include "platform/Application.h"
#include "platform/win32/MessageWindow.h"
#include "platform/win32/WindowIcons.h"

namespace platform {

namespace {

constexpr wchar_t kOwnerClass[] = L"ShowLarkspur.Owner";

}  // namespace

HWND HiddenOwnerWindow() {
    static HWND owner = nullptr;
    if (!owner || !IsWindow(owner)) {
        owner = MakeMessageWindow(kOwnerClass, DefWindowProcW, App().Title.c_str(),
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
