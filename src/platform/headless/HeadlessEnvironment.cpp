#include "platform/headless/HeadlessEnvironment.h"

namespace platform {

HeadlessEnvironment::HeadlessEnvironment()
    : desktop_(std::make_shared<HeadlessDesktop>()),
      windows(desktop_),
      dialogs(desktop_->log),
      environment_{windows, dialogs, shell, keyboard, settings} {}

HeadlessPlainWindow& HeadlessEnvironment::NewWindow(const PixelRect& rect, int dpi) {
    plainWindows_.push_back(std::make_unique<HeadlessPlainWindow>(desktop_, rect, dpi));
    return *plainWindows_.back();
}

std::vector<std::string> HeadlessEnvironment::UnusedScripts() const {
    std::vector<std::string> unused = dialogs.UnusedAnswers();
    if (shell.UnusedResults() != 0)
        unused.push_back(std::to_string(shell.UnusedResults()) + " shell result(s)");
    return unused;
}

}  // namespace platform
