#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/Environment.h"

namespace platform {

struct ShellCall {
    WindowHandle owner = nullptr;
    std::wstring verb;
    std::wstring file;
    std::wstring parameters;
    std::wstring directory;
    int showCommand = 0;
    ShellResult result;
};

// The shell of the headless environment: it starts nothing. Every Execute is recorded with all
// its arguments and answered from a queue; unscripted, it succeeds.
class HeadlessShell : public Shell {
public:
    ShellResult Execute(WindowHandle owner, const std::wstring& verb, const std::wstring& file,
                        const std::wstring& parameters, const std::wstring& directory,
                        int showCommand) override;
    // "System error <code>." unless a test set another text for the code.
    std::wstring SystemErrorText(std::uint32_t code) override;
    bool RegisterAppPath(const std::wstring& exePath) override;
    void UnregisterAppPath(const std::wstring& exePath) override {
        unregisteredPaths_.push_back(exePath);
    }
    std::wstring CommandLineArguments() override { return arguments_; }

    void SetCommandLineArguments(const std::wstring& arguments) { arguments_ = arguments; }

    // The next Execute fails with this last-error code.
    void FailNextExecute(std::uint32_t lastError) { results_.push_back(ShellResult{false, lastError}); }
    void SucceedNextExecute() { results_.push_back(ShellResult{true, 0}); }
    void SetSystemErrorText(std::uint32_t code, const std::wstring& text) { errorTexts_[code] = text; }
    void FailAppPathRegistration() { registrationWorks_ = false; }

    const std::vector<ShellCall>& Calls() const { return calls_; }
    const std::vector<std::wstring>& RegisteredAppPaths() const { return registeredPaths_; }
    const std::vector<std::wstring>& UnregisteredAppPaths() const { return unregisteredPaths_; }
    size_t UnusedResults() const { return results_.size(); }

private:
    std::deque<ShellResult> results_;
    std::map<std::uint32_t, std::wstring> errorTexts_;
    std::vector<ShellCall> calls_;
    std::vector<std::wstring> registeredPaths_;
    std::vector<std::wstring> unregisteredPaths_;
    bool registrationWorks_ = true;
    std::wstring arguments_;
};

}  // namespace platform
