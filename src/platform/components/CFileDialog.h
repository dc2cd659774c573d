#pragma once

#include <string>

#include "platform/WindowHandle.h"

namespace platform {

// The open and save file dialogs. Set the fields, call ShowOpen or ShowSave; on true, FileName
// holds the chosen file's full path. An InitDir that is no folder, or too long for the dialog,
// is not given to it.
class CFileDialog {
public:
    std::wstring FileName;
    std::wstring Filter;  // caption|pattern pairs joined by "|"
    int FilterIndex = 0;
    WindowHandle hWndOwner = nullptr;
    std::wstring InitDir;
    std::wstring DefaultExt;

    bool ShowOpen();
    bool ShowSave();
};

}  // namespace platform
