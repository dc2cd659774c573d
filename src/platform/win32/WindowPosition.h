#pragma once

#include <windows.h>

#include "platform/Environment.h"

namespace platform {

// Moves and sizes a window, screen coordinates, without activating it or changing its place in
// the Z order. A window that is there already is left alone: nothing is sent to it.
void MoveWindowTo(HWND window, const PixelRect& rect);

}  // namespace platform
