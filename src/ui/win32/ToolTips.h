#pragma once

#include <windows.h>

#include <string>

namespace ui {

// The tool-tip window of one form, made when the first control asks for a tip. Its font is the
// system's tool-tip font at the form's DPI, and follows the form to another DPI.
class ToolTips {
public:
    ToolTips() = default;
    ~ToolTips() { Destroy(); }
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    void Add(HWND form, HWND control, const std::wstring& text);
    void ChangeDpi(int dpi);
    void Destroy();
    HWND Window() const { return window_; }

private:
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace ui
