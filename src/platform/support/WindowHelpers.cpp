#include "platform/support/WindowHelpers.h"

#include "platform/Environment.h"
#include "platform/components/ScreenGeometry.h"

namespace platform {

void asCenterFormEx(WindowHandle window) {
    WindowSystem& windows = Env().windows;
    const PixelRect rect = windows.WindowRect(window);
    windows.MoveWindow(window,
                       CentredIn(rect.Width(), rect.Height(), windows.MonitorOf(window).workArea));
}

void asSetWindowResIconAll(WindowHandle window, const std::wstring& resourceName) {
    Env().windows.SetIcons(window, resourceName);
}

void asFixUserControlsContainerWindow() { Env().windows.MakeControlParents(); }

void asPaintDesktop2(WindowHandle window) { Env().windows.PaintBackground(window); }

void asTextBoxSelectAll(WindowHandle textBox) { Env().windows.SelectAllText(textBox); }

void asUnloadForm(WindowHandle form) { Env().windows.RequestUnload(form); }

}  // namespace platform
