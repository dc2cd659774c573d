#include "platform/support/WindowHelpers.h"

#include "platform/Environment.h"

namespace platform {

namespace {

// Where a span of `size` starts to stand in the middle of [from, to); at `from` when it does
// not fit, so that the title bar stays reachable.
int CentredStart(int size, int from, int to) {
    const int room = to - from;
    return size >= room ? from : from + (room - size) / 2;
}

}  // namespace

void asCenterFormEx(WindowHandle window) {
    WindowSystem& windows = Env().windows;
    const PixelRect rect = windows.WindowRect(window);
    const PixelRect area = windows.MonitorOf(window).workArea;
    const int left = CentredStart(rect.Width(), area.left, area.right);
    const int top = CentredStart(rect.Height(), area.top, area.bottom);
    windows.MoveWindow(window, PixelRect{left, top, left + rect.Width(), top + rect.Height()});
}

void asSetWindowResIconAll(WindowHandle window, const std::wstring& resourceName) {
    Env().windows.SetIcons(window, resourceName);
}

void asFixUserControlsContainerWindow() { Env().windows.MakeControlParents(); }

void asPaintDesktop2(WindowHandle window) { Env().windows.PaintBackground(window); }

void asTextBoxSelectAll(WindowHandle textBox) { Env().windows.SelectAllText(textBox); }

void asUnloadForm(WindowHandle form) { Env().windows.RequestUnload(form); }

}  // namespace platform
