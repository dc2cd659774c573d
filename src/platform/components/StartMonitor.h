#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/Environment.h"

namespace platform {

// Whether STARTUPINFO's hStdOutput may be the shell's monitor hint: launched from the task bar
// or a jump list, the program is given there the monitor it was launched from (Windows 8 and
// later). With STARTF_USESTDHANDLES it is a standard output handle instead; a null or invalid
// handle is no hint. The caller still has the system confirm that it is a monitor.
bool MayHoldMonitorHint(std::uint32_t startupFlags, std::uintptr_t standardOutput);

// The monitor the menu window opens on: the one the shell named, else the one of the window that
// was in the foreground when the program started, else the primary monitor (at the origin).
// `monitors` must not be empty.
Monitor StartMonitor(const std::vector<Monitor>& monitors, const std::optional<Monitor>& hinted,
                     const std::optional<Monitor>& foreground);

}  // namespace platform
