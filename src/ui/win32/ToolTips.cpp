#include "ui/win32/ToolTips.h"

#include <commctrl.h>

namespace ui {

void ToolTips::Add(HWND form, HWND control, const std::wstring& text) {
    if (!window_) {
        window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                  WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, form, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        if (!window_) return;
    }
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = form;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(window_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void ToolTips::Destroy() {
    // The form's end takes its owned tool-tip window with it.
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
}

}  // namespace ui
