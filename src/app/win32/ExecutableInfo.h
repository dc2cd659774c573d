#pragma once

#include "platform/Application.h"

namespace app {

// The application object of the running executable: the program's title and settings keys,
// where the executable lies and what it is called on disk, the version data it carries, and the
// folder for the program's data files.
platform::Application ReadExecutableInfo();

}  // namespace app
