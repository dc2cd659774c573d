#include "platform/win32/Win32WindowSystem.h"

#include <windows.h>

#include <utility>

#include "platform/components/ScreenGeometry.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/HiddenOwner.h"
#include "platform/win32/IdleTasks.h"
#include "platform/win32/Monitors.h"
#include "platform/win32/PaintTarget.h"
#include "platform/win32/PrivateMessages.h"
#include "platform/win32/WindowIcons.h"
#include "platform/win32/WindowPosition.h"
#include "platform/win32/WindowText.h"
#include "platform/win32/WorkingWindow.h"

namespace platform {

namespace {

HWND Hwnd(WindowHandle window) { return static_cast<HWND>(window); }

PixelRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

RECT ToRect(const PixelRect& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

Monitor MonitorFromHandle(HMONITOR handle) { return MonitorOfHandle(handle).value_or(Monitor{}); }

// A placement's rectangle is in workspace coordinates (relative to the work area of the
// monitor) unless the window is a tool window. This is how far they are from screen coordinates.
POINT WorkspaceOffset(HWND window, HMONITOR monitor) {
    if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return {0, 0};
    Monitor where = MonitorFromHandle(monitor);
    return {where.workArea.left - where.bounds.left, where.workArea.top - where.bounds.top};
}

BOOL CALLBACK MakeControlParent(HWND window, LPARAM) {
    LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (!(exStyle & WS_EX_CONTROLPARENT)) {
        SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_CONTROLPARENT);
    }
    return TRUE;
}

}  // namespace

PixelRect Win32WindowSystem::WindowRect(WindowHandle window) {
    RECT rect{};
    GetWindowRect(Hwnd(window), &rect);
    return FromRect(rect);
}

void Win32WindowSystem::MoveWindow(WindowHandle window, const PixelRect& rect) {
    MoveWindowTo(Hwnd(window), rect);
}

std::vector<Monitor> Win32WindowSystem::Monitors() { return AllMonitors(); }

Monitor Win32WindowSystem::MonitorOf(WindowHandle window) {
    return MonitorFromHandle(MonitorFromWindow(Hwnd(window), MONITOR_DEFAULTTONEAREST));
}

WindowPlacement Win32WindowSystem::GetPlacement(WindowHandle window) {
    HWND hwnd = Hwnd(window);
    WINDOWPLACEMENT native{};
    native.length = sizeof native;
    WindowPlacement placement;
    if (!GetWindowPlacement(hwnd, &native)) return placement;
    POINT offset = WorkspaceOffset(hwnd, MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
    OffsetRect(&native.rcNormalPosition, offset.x, offset.y);
    placement.normal = FromRect(native.rcNormalPosition);
    bool maximized = native.showCmd == SW_SHOWMAXIMIZED ||
                     (native.showCmd == SW_SHOWMINIMIZED && (native.flags & WPF_RESTORETOMAXIMIZED));
    placement.showCmd = maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    placement.dpi = WindowDpi(hwnd);
    return placement;
}

void Win32WindowSystem::SetPlacement(WindowHandle window, const WindowPlacement& placement) {
    // A window that is where it was stored, as one reopened without being moved is, is left
    // alone: placing it costs milliseconds of messages before the menu window shows.
    if (GetPlacement(window) == placement) return;
    HWND hwnd = Hwnd(window);
    RECT rect = ToRect(placement.normal);
    // Moving the window first lets it take the DPI of the monitor it lands on; the stored size
    // is then scaled from the DPI it was taken at to that one.
    SetWindowPos(hwnd, nullptr, rect.left, rect.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    int dpi = WindowDpi(hwnd);
    if (placement.dpi > 0 && placement.dpi != dpi) {
        const Monitor landed = MonitorFromHandle(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST));
        rect = ToRect(ScaledAndFitted(placement.normal, placement.dpi, dpi, landed.workArea));
    }
    WINDOWPLACEMENT native{};
    native.length = sizeof native;
    GetWindowPlacement(hwnd, &native);
    native.flags = 0;
    // A window that is still hidden (placed while it loads) stays hidden until it is shown.
    bool maximized = placement.showCmd == SW_SHOWMAXIMIZED;
    native.showCmd = maximized ? SW_SHOWMAXIMIZED : IsWindowVisible(hwnd) ? SW_SHOWNORMAL : SW_HIDE;
    POINT offset = WorkspaceOffset(hwnd, MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST));
    OffsetRect(&rect, -offset.x, -offset.y);
    native.rcNormalPosition = rect;
    SetWindowPlacement(hwnd, &native);
}

void Win32WindowSystem::SetIcons(WindowHandle window, const std::wstring& resourceName) {
    SetWindowIcons(Hwnd(window), resourceName);
}

// What the program shows next is owned by the window the user works in, also while the program
// is in the background, where GetActiveWindow has none.
WindowHandle Win32WindowSystem::ActiveWindow() { return WorkingWindow(); }

WindowHandle Win32WindowSystem::FocusedWindow() { return GetFocus(); }

void Win32WindowSystem::SetFocus(WindowHandle window) {
    HWND hwnd = Hwnd(window);
    HWND root = GetAncestor(hwnd, GA_ROOT);
    if (root && root != hwnd) {
        // Through the dialog manager's message, so that the default button follows the focus.
        SendMessageW(root, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hwnd), TRUE);
    } else {
        ::SetFocus(hwnd);
    }
}

void Win32WindowSystem::SetForeground(WindowHandle window) { SetForegroundWindow(Hwnd(window)); }

std::wstring Win32WindowSystem::GetText(WindowHandle window) { return WindowText(Hwnd(window)); }

void Win32WindowSystem::SetText(WindowHandle window, const std::wstring& text) {
    SetWindowTextW(Hwnd(window), text.c_str());
}

void Win32WindowSystem::SelectAllText(WindowHandle textBox) {
    SendMessageW(Hwnd(textBox), EM_SETSEL, 0, -1);
}

void Win32WindowSystem::PressButton(WindowHandle button) {
    HWND hwnd = Hwnd(button);
    if (!IsWindow(hwnd) || !IsWindowEnabled(hwnd)) return;
    // The notification a click sends, without moving the focus.
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
}

void Win32WindowSystem::RequestUnload(WindowHandle form) {
    PostMessageW(Hwnd(form), kMsgUnloadRequest, 0, 0);
}

WindowHandle Win32WindowSystem::HiddenOwner() { return HiddenOwnerWindow(); }

void Win32WindowSystem::PaintBackground(WindowHandle window) {
    HWND hwnd = Hwnd(window);
    RECT client{};
    GetClientRect(hwnd, &client);
    if (HDC dc = PaintDcOf(hwnd)) {
        FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    HDC dc = GetDC(hwnd);
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    ReleaseDC(hwnd, dc);
}

void Win32WindowSystem::MakeControlParents() {
    EnumThreadWindows(GetCurrentThreadId(), MakeControlParent, 0);
}

void Win32WindowSystem::TrimSystemMenu(WindowHandle window) {
    HMENU menu = GetSystemMenu(Hwnd(window), FALSE);
    if (!menu) return;
    for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position) {
        UINT command = GetMenuItemID(menu, position);
        if (command != SC_MOVE && command != SC_CLOSE) DeleteMenu(menu, position, MF_BYPOSITION);
    }
}

void Win32WindowSystem::RunWhenIdle(std::function<void()> task) {
    RunWhenThreadIdle(std::move(task));
}

}  // namespace platform
