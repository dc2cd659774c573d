#include "platform/win32/IdleTasks.h"

#include <windows.h>

#include <exception>
#include <utility>
#include <vector>

namespace platform {

namespace {

std::vector<std::function<void()>>& WaitingTasks() {
    static std::vector<std::function<void()>> tasks;
    return tasks;
}

UINT_PTR idleTimer = 0;

void CALLBACK RunWaitingTasks(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    idleTimer = 0;
    std::vector<std::function<void()>> tasks;
    tasks.swap(WaitingTasks());
    for (const std::function<void()>& task : tasks) {
        // Nothing may be thrown through DispatchMessageW; a task that fails has nobody waiting
        // for its result.
        try {
            task();
        } catch (const std::exception&) {
        }
    }
}

}  // namespace

void RunWhenThreadIdle(std::function<void()> task) {
    WaitingTasks().push_back(std::move(task));
    if (!idleTimer) idleTimer = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, RunWaitingTasks);
}

}  // namespace platform
