// What the list box adds to the system's: rows found by typing.
#include "ui/win32/Win32Controls.h"

#include <commctrl.h>


namespace ui {

namespace {

constexpr UINT_PTR kTypingSubclass = 1;

}  // namespace

void Win32ListBox::CreateOn(HWND form) {
    ChildControl::CreateOn(form);
    if (window_) {
        SetWindowSubclass(window_, TypingProc, kTypingSubclass, reinterpret_cast<DWORD_PTR>(this));
    }
}

// Typed characters find rows by the program's search, which replaces the list box's own
// first-letter one; the keys the list box handles (arrows, Home, End) stay its own.
LRESULT CALLBACK Win32ListBox::TypingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR id, DWORD_PTR list) {
    if (message == WM_CHAR) {
        auto* self = reinterpret_cast<Win32ListBox*>(list);
        const auto time = static_cast<std::uint32_t>(GetMessageTime());
        if (self->typeAhead_.Type(static_cast<wchar_t>(wParam), time, *self)) return 0;
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, TypingProc, id);
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace ui
