#pragma once

#include <string>

namespace platform {

// `name` inside `folder`, with one separator between them (the system's own: '\' on Windows,
// '/' elsewhere). An empty folder gives the name alone.
std::wstring PathInFolder(const std::wstring& folder, const std::wstring& name);

}  // namespace platform
