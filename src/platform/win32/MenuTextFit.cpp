#include "platform/win32/MenuTextFit.h"

#include <windows.h>

#include "platform/win32/Dpi.h"

namespace platform {

namespace {

// A screen device context with the menu font at a DPI selected into it.
class MenuFontDc {
public:
    explicit MenuFontDc(int dpi) : dc_(GetDC(nullptr)) {
        const NONCLIENTMETRICSW metrics = NonClientMetricsForDpi(dpi);
        font_ = CreateFontIndirectW(&metrics.lfMenuFont);
        previous_ = SelectObject(dc_, font_);
    }
    ~MenuFontDc() {
        SelectObject(dc_, previous_);
        if (font_) DeleteObject(font_);
        ReleaseDC(nullptr, dc_);
    }
    MenuFontDc(const MenuFontDc&) = delete;
    MenuFontDc& operator=(const MenuFontDc&) = delete;

    int Width(const std::wstring& text) const {
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    }

private:
    HDC dc_;
    HFONT font_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

bool IsLeadSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

std::wstring Cut(const std::wstring& text, size_t length) {
    if (length > 0 && IsLeadSurrogate(text[length - 1])) --length;  // not half a pair
    return text.substr(0, length) + L"\u2026";
}

}  // namespace

int MenuTextWidthWithin(int menuWidth, int dpi) {
    return menuWidth - 4 * SystemMetricForDpi(SM_CXMENUCHECK, dpi) -
           4 * SystemMetricForDpi(SM_CXEDGE, dpi);
}

std::wstring MenuTextFitted(const std::wstring& text, int width, int dpi) {
    const MenuFontDc font(dpi);
    if (font.Width(text) <= width) return text;
    // The longest start that fits with the ellipsis after it.
    size_t fits = 0, tooLong = text.size();
    while (tooLong - fits > 1) {
        const size_t middle = fits + (tooLong - fits) / 2;
        (font.Width(Cut(text, middle)) <= width ? fits : tooLong) = middle;
    }
    return Cut(text, fits);
}

}  // namespace platform
