#pragma once

#include <windows.h>

#include <memory>
#include <utility>
#include <vector>

#include "platform/shell/ShellTarget.h"

namespace platform {

struct FetchShared;

// Fetches the icons of shell targets on background threads and posts `message` with `wParam`
// and `lParam` to a window when some have arrived. The threads share their state with the fetcher
// and outlive it: a thread that waits on an unreachable server is never waited for, and drops
// what it fetches once the fetcher has gone. A worker that takes long makes way for others, so
// a slow disk or server delays only its own icons.
class IconFetcher {
public:
    // Made on the window's thread, whose COM apartment it starts before any worker starts its own.
    IconFetcher(HWND notify, UINT message, WPARAM wParam, LPARAM lParam);
    ~IconFetcher();
    IconFetcher(const IconFetcher&) = delete;
    IconFetcher& operator=(const IconFetcher&) = delete;

    // Asks for the icon of job `job` (the caller's number for it); urgent jobs go first. Asking
    // again for a job not yet taken can make it urgent.
    void Request(int job, const ShellTarget& target, int size, bool urgent);
    // The icons arrived since the last call, with their jobs; the caller destroys them.
    std::vector<std::pair<int, HICON>> TakeArrived();

private:
    std::shared_ptr<FetchShared> shared_;
};

}  // namespace platform
