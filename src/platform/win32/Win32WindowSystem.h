#pragma once

#include "platform/Environment.h"

namespace platform {

class Win32WindowSystem : public WindowSystem {
public:
    PixelRect WindowRect(WindowHandle window) override;
    void MoveWindow(WindowHandle window, const PixelRect& rect) override;
    std::vector<Monitor> Monitors() override;
    Monitor MonitorOf(WindowHandle window) override;
    WindowPlacement GetPlacement(WindowHandle window) override;
    void SetPlacement(WindowHandle window, const WindowPlacement& placement) override;
    void SetIcons(WindowHandle window, const std::wstring& resourceName) override;
    WindowHandle ActiveWindow() override;
    WindowHandle FocusedWindow() override;
    void SetFocus(WindowHandle window) override;
    void SetForeground(WindowHandle window) override;
    std::wstring GetText(WindowHandle window) override;
    void SetText(WindowHandle window, const std::wstring& text) override;
    void SelectAllText(WindowHandle textBox) override;
    void PressButton(WindowHandle button) override;
    void RequestUnload(WindowHandle form) override;
    WindowHandle HiddenOwner() override;
    void PaintBackground(WindowHandle window) override;
    void MakeControlParents() override;
    void TrimSystemMenu(WindowHandle window) override;
    void RunWhenIdle(std::function<void()> task) override;
};

}  // namespace platform
