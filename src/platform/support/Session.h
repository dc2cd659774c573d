#pragma once

#include "platform/WindowHandle.h"

namespace platform {

// True while the key is held down.
bool esIsKeyPressed(int virtualKey);
// The application's hidden top-level owner window.
WindowHandle esGetThunderMainHandle();
// Registers the running executable under the current user's App Paths key, unless an install put
// it there (the install's own entry stands), once the thread is idle.
void esRegisterAppPath();
// Opens ReadMe.TXT from the executable's folder in the shell's viewer; `reserved` is 0.
void esOpenReadMeFile(int reserved);

}  // namespace platform
