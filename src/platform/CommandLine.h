#pragma once

#include <string>

namespace platform {

// What follows the program's name in a command line, as given: the name ends at its closing
// quote when it starts with one, else at the first blank.
std::wstring ArgumentsAfterProgramName(const std::wstring& commandLine);

}  // namespace platform
