#pragma once

#include <windows.h>

#include <string>

namespace platform {

std::wstring WindowText(HWND window);

}  // namespace platform
