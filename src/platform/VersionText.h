#pragma once

#include <string>

#include "platform/Application.h"

namespace platform {

// The application's version as it is shown to the user: "3.02.0046" (major as is, minor with at
// least two digits, revision with at least four).
std::wstring VersionText(const Application& app);

}  // namespace platform
