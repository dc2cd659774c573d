#pragma once

#include <string>

#include "platform/WindowHandle.h"

namespace platform {

// The folder browser: set the fields, call Browse; on true, Folder holds the chosen folder. It
// starts in Folder only when that is a folder short enough for it.
class CFolderBrowser {
public:
    std::wstring Prompt;
    WindowHandle hWndOwner = nullptr;
    std::wstring Folder;

    bool Browse();
};

}  // namespace platform
