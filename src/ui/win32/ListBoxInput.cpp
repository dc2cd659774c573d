// What the list box adds to the system's: rows found by typing, files dropped and pasted.
#include "ui/win32/Win32Controls.h"

#include "ui/win32/ShellDrop.h"
#include "ui/win32/Win32Form.h"

namespace ui {

// The list box's own window procedure is replaced rather than subclassed with comctl32's
// SetWindowSubclass, with which, under Wine, a thousand rows added before the window shows cost
// some 150 ms more (startup_bench).
void Win32ListBox::StartTyping() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TypingProc)));
}

Win32ListBox* Win32ListBox::FromWindow(HWND window) {
    return reinterpret_cast<Win32ListBox*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Typed characters find rows by the program's search, which replaces the list box's own
// first-letter one; the keys the list box handles (arrows, Home, End) stay its own.
LRESULT CALLBACK Win32ListBox::TypingProc(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam) {
    Win32ListBox* self = FromWindow(window);
    if (message == WM_CHAR) {
        const auto time = static_cast<std::uint32_t>(GetMessageTime());
        if (self->typeAhead_.Type(static_cast<wchar_t>(wParam), time, *self)) return 0;
    }
    return CallWindowProcW(self->listProc_, window, message, wParam, lParam);
}

std::vector<std::wstring> Win32ListBox::ClipboardFiles() const {
    return ClipboardFileNames(window_);
}

void Win32ListBox::TakeDrop(const std::vector<std::wstring>& files, POINT point) {
    if (!FilesDropped || files.empty()) return;
    const int row = RowAt(point);
    const auto handler = FilesDropped;
    form_.RunEvent([&] { handler(files, row); });
}

// The row under the point; below the last row, or off the list, the number of rows.
int Win32ListBox::RowAt(POINT point) const {
    const int rows = ListCount();
    if (!window_ || rows == 0) return rows;
    MapWindowPoints(GetParent(window_), window_, &point, 1);
    RECT client{};
    GetClientRect(window_, &client);
    if (!PtInRect(&client, point)) return rows;
    const auto found = static_cast<DWORD>(Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y)));
    const int row = LOWORD(found);
    RECT item{};
    Send(LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return HIWORD(found) == 0 && point.y < item.bottom ? row : rows;
}

}  // namespace ui
