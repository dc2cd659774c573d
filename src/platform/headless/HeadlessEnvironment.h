#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/Environment.h"
#include "platform/headless/HeadlessDesktop.h"
#include "platform/headless/HeadlessDialogs.h"
#include "platform/headless/HeadlessKeyboard.h"
#include "platform/headless/HeadlessSettings.h"
#include "platform/headless/HeadlessShell.h"
#include "platform/headless/HeadlessWindowSystem.h"

namespace platform {

// The operating system as state, for the native tests: every interface of the environment,
// scriptable in advance and recording what the code asked of it. Install it with
// ScopedEnvironment scope(env.Get()).
class HeadlessEnvironment {
public:
    HeadlessEnvironment();
    HeadlessEnvironment(const HeadlessEnvironment&) = delete;
    HeadlessEnvironment& operator=(const HeadlessEnvironment&) = delete;

    Environment& Get() { return environment_; }
    const std::shared_ptr<HeadlessDesktop>& Desktop() const { return desktop_; }
    ScriptLog& Log() { return desktop_->log; }

    // A plain top-level window with that rectangle and DPI, living as long as the environment.
    HeadlessPlainWindow& NewWindow(const PixelRect& rect, int dpi = 96);

    // What a test left undone: answers and results it queued that nothing used.
    std::vector<std::string> UnusedScripts() const;

private:
    std::shared_ptr<HeadlessDesktop> desktop_;

public:
    HeadlessWindowSystem windows;
    HeadlessDialogs dialogs;
    HeadlessShell shell;
    HeadlessKeyboard keyboard;
    HeadlessSettings settings;

private:
    Environment environment_;
    std::vector<std::unique_ptr<HeadlessPlainWindow>> plainWindows_;
};

}  // namespace platform
