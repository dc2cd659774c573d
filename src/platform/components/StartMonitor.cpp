#include "platform/components/StartMonitor.h"

#include <stdexcept>

namespace platform {

namespace {
constexpr std::uint32_t kUseStdHandles = 0x100;  // STARTF_USESTDHANDLES
constexpr std::uintptr_t kInvalidHandle = ~std::uintptr_t{0};
}  // namespace

bool MayHoldMonitorHint(std::uint32_t startupFlags, std::uintptr_t standardOutput) {
    return !(startupFlags & kUseStdHandles) && standardOutput != 0 &&
           standardOutput != kInvalidHandle;
}

Monitor StartMonitor(const std::vector<Monitor>& monitors, const std::optional<Monitor>& hinted,
                     const std::optional<Monitor>& foreground) {
    if (hinted) return *hinted;
    if (foreground) return *foreground;
    if (monitors.empty()) throw std::logic_error("no monitor");
    for (const Monitor& monitor : monitors) {
        if (monitor.bounds.left == 0 && monitor.bounds.top == 0) return monitor;
    }
    return monitors.front();
}

}  // namespace platform
