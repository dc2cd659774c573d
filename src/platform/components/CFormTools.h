#pragma once

#include <string>

#include "platform/Application.h"
#include "platform/WindowHandle.h"

namespace platform {

class CFormTools {
public:
    // Presses the button: its Click handler runs as if the user had clicked it.
    void PressButton(WindowHandle button);
    // The about box over `form`: the application's title, version and notice line, then `text`
    // and `dedication`. `picture` is unused (null).
    void ShowAbout(WindowHandle form, const Application& app, const std::wstring& text,
                   const void* picture, const std::wstring& dedication);
    // Trims a fixed dialog's system menu to what such a window can do (Move, Close).
    void PrepareForm(WindowHandle form);
};

// The process-wide instance.
CFormTools& FormTools();

}  // namespace platform
