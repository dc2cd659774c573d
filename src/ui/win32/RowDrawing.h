#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace ui {

// A list row's height: the font's, or the icon's with a pixel above and below when it is
// taller. iconSize 0: a row without icons.
int ListRowHeight(HFONT font, int iconSize);

// Draws a row of an owner-drawn list as the standard list box draws its rows (the system's
// window and selection colours, grey when disabled, the focus rectangle unless keyboard cues are
// hidden), with the icon `icon` of `images`, or the room for it while it has not arrived (-1), left
// of the text.
void DrawListRow(const DRAWITEMSTRUCT& item, const std::wstring& text, HIMAGELIST images, int icon,
                 int iconSize, int dpi);

}  // namespace ui
