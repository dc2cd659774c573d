#include "platform/headless/HeadlessWindowSystem.h"

#include "platform/components/ScreenGeometry.h"

namespace platform {

HeadlessWindowSystem::HeadlessWindowSystem(std::shared_ptr<HeadlessDesktop> desktop)
    : desktop_(std::move(desktop)),
      hiddenOwner_(desktop_, PixelRect{0, 0, 0, 0}, 96),
      monitors_{DefaultMonitor()} {}

Monitor HeadlessWindowSystem::DefaultMonitor() {
    return Monitor{PixelRect{0, 0, 1920, 1080}, PixelRect{0, 0, 1920, 1040}};
}

void HeadlessWindowSystem::SetMonitors(std::vector<Monitor> monitors) {
    if (monitors.empty()) desktop_->log.Fail("a desktop needs at least one monitor");
    monitors_ = std::move(monitors);
}

PixelRect HeadlessWindowSystem::WindowRect(WindowHandle window) {
    return desktop_->Get(window).ScreenRect();
}

void HeadlessWindowSystem::MoveWindow(WindowHandle window, const PixelRect& rect) {
    desktop_->Get(window).SetScreenRect(rect);
}

Monitor HeadlessWindowSystem::MonitorOf(WindowHandle window) {
    return MonitorForRect(monitors_, desktop_->Get(window).ScreenRect());
}

// Headless windows keep their rectangle when maximised, so the normal rectangle is the one
// they have.
WindowPlacement HeadlessWindowSystem::GetPlacement(WindowHandle window) {
    HeadlessWindow& w = desktop_->Get(window);
    return WindowPlacement{w.ScreenRect(), w.showCommand, w.Dpi()};
}

void HeadlessWindowSystem::SetPlacement(WindowHandle window, const WindowPlacement& placement) {
    HeadlessWindow& w = desktop_->Get(window);
    w.SetScreenRect(placement.normal);
    w.showCommand = placement.showCmd;
    w.dpiOfPlacement = placement.dpi;
}

void HeadlessWindowSystem::SetIcons(WindowHandle window, const std::wstring& resourceName) {
    desktop_->Get(window).iconResource = resourceName;
}

void HeadlessWindowSystem::SetFocus(WindowHandle window) {
    if (!window) {
        desktop_->SetFocused(nullptr);
        return;
    }
    desktop_->Get(window).TakeFocus();
}

void HeadlessWindowSystem::SetForeground(WindowHandle window) {
    foregroundRequests_.push_back(window);
    desktop_->Get(window).BringToForeground();
}

std::wstring HeadlessWindowSystem::GetText(WindowHandle window) {
    return desktop_->Get(window).WindowText();
}

void HeadlessWindowSystem::SetText(WindowHandle window, const std::wstring& text) {
    desktop_->Get(window).ChangeWindowText(text);
}

void HeadlessWindowSystem::SelectAllText(WindowHandle textBox) {
    desktop_->Get(textBox).SelectAllText();
}

void HeadlessWindowSystem::PressButton(WindowHandle button) { desktop_->Get(button).Press(); }

void HeadlessWindowSystem::RequestUnload(WindowHandle form) {
    desktop_->Get(form).RequestUnload();
}

void HeadlessWindowSystem::PaintBackground(WindowHandle window) {
    ++desktop_->Get(window).backgroundPaints;
}

void HeadlessWindowSystem::TrimSystemMenu(WindowHandle window) {
    desktop_->Get(window).systemMenuTrimmed = true;
}

void HeadlessWindowSystem::RunIdleTasks() {
    std::vector<std::function<void()>> tasks;
    tasks.swap(idleTasks_);
    for (const std::function<void()>& task : tasks) task();
}

}  // namespace platform
