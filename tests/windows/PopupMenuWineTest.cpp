#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "Win32Fixture.h"

namespace {

RECT shownMenu{};

// Takes the popup menu's rectangle once it shows, and closes it.
void CALLBACK MeasureAndClosePopup(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    GetWindowRect(menu, &shownMenu);
    KillTimer(nullptr, timer);
    EndMenu();
}

using PopupMenuWine = testsupport::Win32Test;

// A history entry of 260 wide letters made a menu wider than the screen.
TEST_F(PopupMenuWine, TheHistoryPopupIsNeverWiderThanTheWorkArea) {
    std::unique_ptr<ui::Form> form = MakeForm(ui::FormStyle::FixedDialog);
    form->Show();
    shownMenu = RECT{};
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, MeasureAndClosePopup);
    environment.Get().dialogs.PopupMenu(form->hWnd(), {L"короткая", std::wstring(260, L'Ж')});
    KillTimer(nullptr, timer);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(static_cast<HWND>(form->hWnd()), MONITOR_DEFAULTTONEAREST),
                    &monitor);
    ASSERT_GT(shownMenu.right - shownMenu.left, 0) << "the popup did not show";
    EXPECT_LE(shownMenu.right - shownMenu.left, monitor.rcWork.right - monitor.rcWork.left);
    EXPECT_GT(shownMenu.right - shownMenu.left, (monitor.rcWork.right - monitor.rcWork.left) / 2)
        << "the long entry keeps as much as fits";
    form->Unload();
}

}  // namespace
