#pragma once

#include <string>

namespace platform::files {

// A fresh name for a temporary file in the same folder as `path` ("~3f9a0c12.tmp"); a new one
// at every call, so that a name found taken can be retried.
std::wstring SiblingTemporaryName(const std::wstring& path);

}  // namespace platform::files
