#pragma once

#include <exception>

namespace app {

// The last line of defence: a fault the program did not foresee is told, not a silent crash.
void ReportUnexpected(const std::exception& error);

// The terminate handler: an exception that leaves a thread or a noexcept function is told as
// well, and the program ends with exit code 3, as abort() would end it.
[[noreturn]] void ReportTermination();

}  // namespace app
