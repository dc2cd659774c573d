#pragma once

#include <windows.h>

#include <string>

namespace ui {

// The tool-tip window of one form, made when the first control asks for a tip.
class ToolTips {
public:
    ToolTips() = default;
    ~ToolTips() { Destroy(); }
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    void Add(HWND form, HWND control, const std::wstring& text);
    void Destroy();
    HWND Window() const { return window_; }

private:
    HWND window_ = nullptr;
};

}  // namespace ui
