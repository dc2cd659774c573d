#pragma once

namespace platform {

// The shell, the common dialogs and the new-style folder browser want OLE (and with it COM's
// single-threaded apartment) started on the thread that calls them. It is started just before
// the first such call, not at start-up, where it would load COM's DLLs before the menu window
// shows; it ends when the process does.
void EnsureComApartment();

}  // namespace platform
