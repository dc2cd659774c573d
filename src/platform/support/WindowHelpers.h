#pragma once

#include <string>

#include "platform/WindowHandle.h"

namespace platform {

// Centres the window on the work area of its monitor.
void asCenterFormEx(WindowHandle window);
// Sets every size of the window's icons from the executable's icon group `resourceName`.
void asSetWindowResIconAll(WindowHandle window, const std::wstring& resourceName);
// Called once late in each window's load: lets keyboard navigation reach controls in containers.
void asFixUserControlsContainerWindow();
// Paints the window's background; called from its paint event.
void asPaintDesktop2(WindowHandle window);
// Selects the whole text of the text box.
void asTextBoxSelectAll(WindowHandle textBox);
// Unloads the form once the event handler now running has returned.
void asUnloadForm(WindowHandle form);

}  // namespace platform
