#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/Environment.h"

namespace platform {

// The monitor's bounds and work area; nothing when the handle is not a monitor's.
std::optional<Monitor> MonitorOfHandle(HMONITOR monitor);
std::vector<Monitor> AllMonitors();

}  // namespace platform
