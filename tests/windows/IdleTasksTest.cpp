// A task left for the idle thread waits until the windows shown before it have painted.
#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/IdleTasks.h"

namespace {

bool painted = false;

LRESULT CALLBACK PaintedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        painted = true;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST(IdleTasksTest, RunsOnceTheWindowShownBeforeHasPainted) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = PaintedWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"IdleTasksTestWindow";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Idle", WS_OVERLAPPEDWINDOW, 0,
                                  0, 200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    painted = false;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    PostMessageW(window, WM_NULL, 0, 0);  // a message waiting too

    bool ran = false;
    bool paintedBefore = false;
    platform::RunWhenThreadIdle([&] {
        ran = true;
        paintedBefore = painted;
    });
    EXPECT_FALSE(ran);
    const ULONGLONG deadline = GetTickCount64() + 5000;
    MSG message;
    while (!ran && GetTickCount64() < deadline) {
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
    }
    EXPECT_TRUE(ran);
    EXPECT_TRUE(paintedBefore);
    DestroyWindow(window);
    UnregisterClassW(windowClass.lpszClassName, windowClass.hInstance);
}

}  // namespace
