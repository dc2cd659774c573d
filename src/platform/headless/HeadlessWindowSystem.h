#pragma once

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Environment.h"
#include "platform/headless/HeadlessDesktop.h"

namespace platform {

// The WindowSystem of the headless environment: every call by handle goes to the window of the
// desktop's table; what has no window behind it (monitors, the foreground requests) is state
// that a test sets and reads.
class HeadlessWindowSystem : public WindowSystem {
public:
    explicit HeadlessWindowSystem(std::shared_ptr<HeadlessDesktop> desktop);

    PixelRect WindowRect(WindowHandle window) override;
    void MoveWindow(WindowHandle window, const PixelRect& rect) override;
    std::vector<Monitor> Monitors() override { return monitors_; }
    Monitor MonitorOf(WindowHandle window) override;
    WindowPlacement GetPlacement(WindowHandle window) override;
    void SetPlacement(WindowHandle window, const WindowPlacement& placement) override;
    void SetIcons(WindowHandle window, const std::wstring& resourceName) override;
    WindowHandle ActiveWindow() override { return desktop_->Active(); }
    WindowHandle FocusedWindow() override { return desktop_->Focused(); }
    void SetFocus(WindowHandle window) override;
    void SetForeground(WindowHandle window) override;
    std::wstring GetText(WindowHandle window) override;
    void SetText(WindowHandle window, const std::wstring& text) override;
    void SelectAllText(WindowHandle textBox) override;
    void PressButton(WindowHandle button) override;
    void RequestUnload(WindowHandle form) override;
    WindowHandle HiddenOwner() override { return hiddenOwner_.Handle(); }
    void PaintBackground(WindowHandle window) override;
    void MakeControlParents() override { ++controlParentCalls_; }
    void TrimSystemMenu(WindowHandle window) override;
    // Kept until the test runs them: nothing of the headless desktop is ever painted.
    void RunWhenIdle(std::function<void()> task) override { idleTasks_.push_back(std::move(task)); }

    // The default: one 1920x1080 monitor whose work area leaves a 40-pixel task bar at the
    // bottom, {0, 0, 1920, 1040}.
    static Monitor DefaultMonitor();
    void SetMonitors(std::vector<Monitor> monitors);
    const std::vector<WindowHandle>& ForegroundRequests() const { return foregroundRequests_; }
    int ControlParentCalls() const { return controlParentCalls_; }
    HeadlessWindow& Window(WindowHandle window) { return desktop_->Get(window); }
    // Runs the tasks waiting for the idle thread, as a message loop would once the windows have
    // painted.
    void RunIdleTasks();

private:
    std::shared_ptr<HeadlessDesktop> desktop_;
    HeadlessPlainWindow hiddenOwner_;
    std::vector<Monitor> monitors_;
    std::vector<WindowHandle> foregroundRequests_;
    int controlParentCalls_ = 0;
    std::vector<std::function<void()>> idleTasks_;
};

}  // namespace platform
