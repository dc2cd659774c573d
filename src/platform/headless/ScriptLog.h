#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace platform {

// Thrown when a test's script cannot go on: a question nobody scripted an answer for, a modal
// window its script left open, an action on a window that cannot take it.
class HeadlessScriptError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Every script failure of a test. The code under test may swallow the exception (some handlers
// ignore every error), so the failures are also kept here for the fixture to check at the end.
class ScriptLog {
public:
    [[noreturn]] void Fail(const std::string& what);
    const std::vector<std::string>& Failures() const { return failures_; }

private:
    std::vector<std::string> failures_;
};

// A text for a diagnostic message: ASCII as it is, every other character as \u{hex}.
std::string Printable(const std::wstring& text);

}  // namespace platform
