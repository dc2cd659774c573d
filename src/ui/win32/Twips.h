#pragma once

#include <windows.h>

namespace ui {

constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }
inline int PixelsToTwips(int pixels, int dpi) { return MulDiv(pixels, kTwipsPerInch, dpi); }

}  // namespace ui
