#pragma once

#include <cstdint>
#include <string>

#include "platform/WindowHandle.h"

namespace platform {

class CErrorBox {
public:
    // An error box over `owner`, captioned with the application title: `message`, two line
    // breaks, then the system's text for `code`. `style` is a kMb* icon (16: error).
    void ShowSystemError(std::uint32_t code, unsigned style, int reserved1,
                         const std::wstring& message, int reserved2, WindowHandle owner);
};

// The process-wide instance.
CErrorBox& ErrorBox();

}  // namespace platform
