#pragma once

#include <windows.h>

// The device context a window is being painted with while its paint event runs, so that what
// the event paints is clipped to the region being repainted like the rest of the paint.
namespace platform {

class PaintingScope {
public:
    PaintingScope(HWND window, HDC dc);
    ~PaintingScope();
    PaintingScope(const PaintingScope&) = delete;
    PaintingScope& operator=(const PaintingScope&) = delete;
};

// Null when the window is not being painted now.
HDC PaintDcOf(HWND window);

}  // namespace platform
