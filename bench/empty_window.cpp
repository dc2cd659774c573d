// The smallest Win32 program that shows one window: the baseline of the start-up benchmark
// (startup_bench.cpp). It registers a class, creates, shows and paints a window, and runs until
// it is sent WM_CLOSE, as the menu window does, so the same measurement fits both.
#ifndef _WIN32
#error "empty_window is a Win32 program: it builds only for Windows"
#endif

#include <windows.h>

#include "support/MeasuredWindow.h"

namespace {

constexpr wchar_t kClassName[] = L"EmptyWindowBenchmark";
constexpr wchar_t kTitle[] = L"Empty window";

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    if (!bench::RegisterWindowClass(instance, kClassName, bench::EndingWindowProc)) return 1;

    HWND window = CreateWindowExW(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, 320, 240, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, showCommand);
    UpdateWindow(window);

    return bench::RunUntilClosed();
}
