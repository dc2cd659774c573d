#pragma once

#include <string>

namespace platform {

// How wide a popup menu's item texts may be for the menu to stay within `menuWidth` pixels at
// `dpi`: the menu adds room for check marks, submenu arrows and borders around its texts.
int MenuTextWidthWithin(int menuWidth, int dpi);

// The text, cut short with an ellipsis where it is wider than `width` pixels in the system's
// menu font at `dpi`.
std::wstring MenuTextFitted(const std::wstring& text, int width, int dpi);

}  // namespace platform
