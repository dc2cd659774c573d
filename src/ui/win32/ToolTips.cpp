#include "ui/win32/ToolTips.h"

#include <commctrl.h>

#include "platform/win32/Dpi.h"

namespace ui {

void ToolTips::Add(HWND form, HWND control, const std::wstring& text) {
    if (!window_) {
        window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        if (!window_) return;
        ChangeDpi(platform::WindowDpi(form));
    }
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

// Made at one DPI, a tool tip would keep that DPI's font on a monitor of another.
void ToolTips::ChangeDpi(int dpi) {
    if (!window_) return;
    const NONCLIENTMETRICSW metrics = platform::NonClientMetricsForDpi(dpi);
    HFONT font = CreateFontIndirectW(&metrics.lfStatusFont);
    if (!font) return;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (font_) DeleteObject(font_);
    font_ = font;
}

void ToolTips::Destroy() {
    // The form's end takes its owned tool-tip window with it.
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
    if (font_) DeleteObject(font_);
    font_ = nullptr;
}

}  // namespace ui
