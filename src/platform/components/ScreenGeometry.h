#pragma once

#include <vector>

#include "platform/Environment.h"

namespace platform {

// The part two rectangles share; an empty rectangle when they do not overlap.
PixelRect Intersection(const PixelRect& a, const PixelRect& b);

// The monitor a rectangle belongs to, as the system picks it: the one it overlaps most, else the
// nearest one. `monitors` must not be empty.
const Monitor& MonitorForRect(const std::vector<Monitor>& monitors, const PixelRect& rect);

// A rectangle of that size in the middle of `area`; at its left or top edge where it does not
// fit, so that the title bar stays reachable.
PixelRect CentredIn(int width, int height, const PixelRect& area);

// The rectangle moved, and shrunk only where it is larger, so that it lies inside `area`.
PixelRect FitInside(const PixelRect& rect, const PixelRect& area);

// A window's rectangle taken at `fromDpi`, for the window at `toDpi`: its size scaled, its
// top left corner kept, and then fitted inside `area`, so that the larger size cannot reach
// off the screen.
PixelRect ScaledAndFitted(const PixelRect& rect, int fromDpi, int toDpi, const PixelRect& area);

}  // namespace platform
