#pragma once

// Waiting for a started program's first visible top-level window.
#ifdef _WIN32
#include <windows.h>

#include <chrono>

namespace bench {

struct WindowSearch {
    DWORD processId = 0;
    HWND found = nullptr;
};

inline BOOL CALLBACK TakeVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// The process's first visible window, polled every millisecond; null when the process ends
// first or a minute has passed since `start`.
inline HWND WaitForVisibleWindow(const PROCESS_INFORMATION& process,
                                 std::chrono::steady_clock::time_point start) {
    WindowSearch search{process.dwProcessId, nullptr};
    while (EnumWindows(TakeVisibleWindow, reinterpret_cast<LPARAM>(&search)), !search.found) {
        if (WaitForSingleObject(process.hProcess, 1) != WAIT_TIMEOUT ||
            std::chrono::steady_clock::now() - start > std::chrono::seconds(60)) {
            return nullptr;
        }
    }
    return search.found;
}

}  // namespace bench
#endif
