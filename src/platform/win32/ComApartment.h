#pragma once

namespace platform {

// The shell, the common dialogs and the new-style folder browser want OLE (and with it COM's
// single-threaded apartment) started on the thread that calls them. It is started just before
// the first such call, or before the first icon worker starts, not at start-up, where it would
// load COM's DLLs before the menu window shows.
void EnsureComApartment();
// Ends what EnsureComApartment started, at the end of wWinMain: the shell may have loaded
// extensions that must be let go while the process still runs normally, not from a static
// destructor at its exit. A later EnsureComApartment starts it again.
void EndComApartment();

}  // namespace platform
