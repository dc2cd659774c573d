#pragma once

#include "platform/Environment.h"

namespace platform {

// Notes the monitor the program was started from (the shell's hint, else the monitor of the
// window in the foreground): called first thing at start-up, before the program's own windows
// take the foreground. Noted on first use otherwise.
void NoteStartMonitor();

// The work area a new window is centred in: that of the monitor of the window the user works
// in, so that an editor opens over the form that opened it; with no window shown, that of the
// monitor the program was started from.
PixelRect WorkAreaForNewWindow();

}  // namespace platform
