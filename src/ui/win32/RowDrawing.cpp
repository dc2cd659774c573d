#include "ui/win32/RowDrawing.h"

#include <algorithm>

namespace ui {

int ListRowHeight(HFONT font, int iconSize) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return std::max<int>(metrics.tmHeight, iconSize > 0 ? iconSize + 2 : 0);
}

void DrawListRow(const DRAWITEMSTRUCT& item, const std::wstring& text, HIMAGELIST images, int icon,
                 int iconSize, int dpi) {
    HDC dc = item.hDC;
    const RECT& rect = item.rcItem;
    const bool cuesHidden = item.itemState & ODS_NOFOCUSRECT;
    // Only the focus moved (or an empty list's focus): the rectangle is drawn with XOR, so
    // drawing it again takes it away.
    if (item.itemAction == ODA_FOCUS || item.itemID == static_cast<UINT>(-1)) {
        if (!cuesHidden) DrawFocusRect(dc, &rect);
        return;
    }
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int margin = MulDiv(2, dpi, 96);
    int textLeft = rect.left + margin;
    if (iconSize > 0) {
        if (images && icon >= 0) {
            const int top = rect.top + (rect.bottom - rect.top - iconSize) / 2;
            ImageList_Draw(images, icon, dc, textLeft, top, ILD_TRANSPARENT);
        }
        textLeft += iconSize + MulDiv(4, dpi, 96);
    }
    const COLORREF textColour = GetSysColor(item.itemState & ODS_DISABLED ? COLOR_GRAYTEXT
                                            : selected                   ? COLOR_HIGHLIGHTTEXT
                                                                         : COLOR_WINDOWTEXT);
    const COLORREF previousColour = SetTextColor(dc, textColour);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    RECT textRect{textLeft, rect.top, rect.right, rect.bottom};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetBkMode(dc, previousMode);
    SetTextColor(dc, previousColour);
    if ((item.itemState & ODS_FOCUS) && !cuesHidden) DrawFocusRect(dc, &rect);
}

}  // namespace ui
