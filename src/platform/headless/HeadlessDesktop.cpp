#include "platform/headless/HeadlessDesktop.h"

#include <algorithm>
#include <sstream>

namespace platform {

namespace {
std::string HandleText(WindowHandle handle) {
    std::ostringstream out;
    out << handle;
    return out.str();
}
}  // namespace

HeadlessWindow::HeadlessWindow(std::shared_ptr<HeadlessDesktop> desktop)
    : desktop_(std::move(desktop)), handle_(desktop_->Register(*this)) {}

HeadlessWindow::~HeadlessWindow() { desktop_->Unregister(handle_); }

void HeadlessWindow::FailUnsupported(const char* call) const {
    desktop_->log.Fail(std::string(call) + " on window " + HandleText(handle_) + " (\"" +
                       Printable(WindowText()) + "\"), which cannot take it");
}

void HeadlessWindow::SelectAllText() { FailUnsupported("SelectAllText"); }
void HeadlessWindow::Press() { FailUnsupported("PressButton"); }
void HeadlessWindow::RequestUnload() { FailUnsupported("RequestUnload"); }
void HeadlessWindow::TakeFocus() { FailUnsupported("SetFocus"); }
void HeadlessWindow::BringToForeground() { FailUnsupported("SetForeground"); }

WindowHandle HeadlessDesktop::Register(HeadlessWindow& window) {
    const std::uintptr_t id = nextHandle_;
    nextHandle_ += 4;
    windows_[id] = &window;
    return reinterpret_cast<WindowHandle>(id);
}

void HeadlessDesktop::Unregister(WindowHandle handle) {
    windows_.erase(reinterpret_cast<std::uintptr_t>(handle));
    RemoveFromZOrder(handle);
    if (active_ == handle) active_ = nullptr;
    if (focused_ == handle) focused_ = nullptr;
}

HeadlessWindow* HeadlessDesktop::Find(WindowHandle handle) const {
    const auto found = windows_.find(reinterpret_cast<std::uintptr_t>(handle));
    return found == windows_.end() ? nullptr : found->second;
}

HeadlessWindow& HeadlessDesktop::Get(WindowHandle handle) {
    HeadlessWindow* window = Find(handle);
    if (!window) log.Fail("no headless window has the handle " + HandleText(handle));
    return *window;
}

std::vector<HeadlessWindow*> HeadlessDesktop::Windows() const {
    std::vector<HeadlessWindow*> result;
    for (const auto& entry : windows_) result.push_back(entry.second);
    return result;
}

void HeadlessDesktop::SetActive(WindowHandle window) {
    active_ = window;
    if (window) RaiseToTop(window);
}

void HeadlessDesktop::RaiseToTop(WindowHandle window) {
    RemoveFromZOrder(window);
    zOrder_.push_back(window);
}

void HeadlessDesktop::RemoveFromZOrder(WindowHandle window) {
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
}

HeadlessPlainWindow::HeadlessPlainWindow(std::shared_ptr<HeadlessDesktop> desktop,
                                         const PixelRect& rect, int dpi)
    : HeadlessWindow(std::move(desktop)), rect_(rect), dpi_(dpi) {}

void HeadlessPlainWindow::TakeFocus() {
    Desktop().SetActive(Handle());
    Desktop().SetFocused(Handle());
}

void HeadlessPlainWindow::BringToForeground() { Desktop().SetActive(Handle()); }

}  // namespace platform
