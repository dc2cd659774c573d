#include "platform/win32/Monitors.h"

namespace platform {

namespace {

PixelRect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, LPRECT, LPARAM monitors) {
    if (auto monitor = MonitorOfHandle(handle)) {
        reinterpret_cast<std::vector<Monitor>*>(monitors)->push_back(*monitor);
    }
    return TRUE;
}

}  // namespace

std::optional<Monitor> MonitorOfHandle(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!monitor || !GetMonitorInfoW(monitor, &info)) return std::nullopt;
    return Monitor{FromRect(info.rcMonitor), FromRect(info.rcWork)};
}

std::vector<Monitor> AllMonitors() {
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

}  // namespace platform
