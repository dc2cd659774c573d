#include "platform/win32/Win32Keyboard.h"

#include <windows.h>

namespace platform {

bool Win32Keyboard::IsKeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace platform
