#pragma once

#include <windows.h>
#include <delayimp.h>

namespace app {

// The delay-load helper's failure hook, installed by the executable as __pfnDliFailureHook2.
// A delay-loaded system DLL that cannot be loaded, or a function it lacks (an older Windows),
// would otherwise end the process with an exception no handler sees. This shows the DLL, what
// is missing and the system's reason, and ends the process with that reason as its exit code.
FARPROC WINAPI DelayLoadFailed(unsigned notification, PDelayLoadInfo info);

}  // namespace app
