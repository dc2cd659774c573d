#include "platform/win32/NewWindowPlace.h"

#include <windows.h>

#include <cstdint>
#include <optional>

#include "platform/components/StartMonitor.h"
#include "platform/win32/Monitors.h"
#include "platform/win32/WorkingWindow.h"

namespace platform {

namespace {

std::optional<Monitor> HintedMonitor() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    const auto output = reinterpret_cast<std::uintptr_t>(startup.hStdOutput);
    if (!MayHoldMonitorHint(startup.dwFlags, output)) return std::nullopt;
    return MonitorOfHandle(reinterpret_cast<HMONITOR>(startup.hStdOutput));
}

std::optional<Monitor> ForegroundMonitor() {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return std::nullopt;
    return MonitorOfHandle(MonitorFromWindow(foreground, MONITOR_DEFAULTTONULL));
}

std::optional<Monitor>& NotedStartMonitor() {
    static std::optional<Monitor> noted;
    return noted;
}

}  // namespace

void NoteStartMonitor() {
    std::optional<Monitor>& noted = NotedStartMonitor();
    if (noted) return;
    const std::vector<Monitor> monitors = AllMonitors();
    if (monitors.empty()) return;
    noted = StartMonitor(monitors, HintedMonitor(), ForegroundMonitor());
}

PixelRect WorkAreaForNewWindow() {
    if (HWND working = WorkingWindow()) {
        if (auto monitor = MonitorOfHandle(MonitorFromWindow(working, MONITOR_DEFAULTTONEAREST))) {
            return monitor->workArea;
        }
    }
    NoteStartMonitor();
    if (const std::optional<Monitor>& noted = NotedStartMonitor()) return noted->workArea;
    return MonitorOfHandle(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY))
        .value_or(Monitor{})
        .workArea;
}

}  // namespace platform
