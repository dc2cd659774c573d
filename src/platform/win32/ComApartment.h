#pragma once

namespace platform {

// The shell and the common dialogs want COM started on the thread that calls them. It is
// started just before the first such call, not at start-up, where it would load COM's DLLs
// before the menu window shows; it ends when the process does.
void EnsureComApartment();

}  // namespace platform
