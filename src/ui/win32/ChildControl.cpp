#include "ui/win32/ChildControl.h"

#include "ui/win32/Twips.h"
#include "ui/win32/Win32Form.h"

namespace ui {

ChildControl::ChildControl(Win32Form& form, const ControlSpec& spec, int id)
    : form_(form), spec_(spec), bounds_(spec.bounds), id_(id) {}

void ChildControl::CreateOn(HWND form) {
    WindowKind kind = Kind();
    RECT rect = PixelBounds();
    window_ = CreateWindowExW(kind.exStyle, kind.className, spec_.caption.c_str(),
                              WS_CHILD | WS_VISIBLE | kind.style, rect.left, rect.top,
                              rect.right - rect.left, rect.bottom - rect.top, form,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                              GetModuleHandleW(nullptr), nullptr);
    Layout();
}

void ChildControl::Layout() {
    if (window_) Send(WM_SETFONT, reinterpret_cast<WPARAM>(form_.Font()), FALSE);
    Place();
}

RECT ChildControl::PixelBounds() const {
    int dpi = form_.Dpi();
    int left = TwipsToPixels(bounds_.left, dpi);
    int top = TwipsToPixels(bounds_.top, dpi);
    return {left, top, left + TwipsToPixels(bounds_.width, dpi),
            top + TwipsToPixels(bounds_.height, dpi)};
}

void ChildControl::Place() {
    if (!window_) return;
    const RECT rect = PixelBounds();
    RECT now{};
    GetWindowRect(window_, &now);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&now), 2);
    if (EqualRect(&now, &rect)) return;  // made there, or a resize that left it in place
    SetWindowPos(window_, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChildControl::MoveTo(const TwipsRect& bounds) {
    bounds_ = bounds;
    Place();
}

void ChildControl::FocusSelf() {
    if (window_) form_.FocusChild(window_);
}

void ChildControl::RaiseGotFocus() {
    form_.FocusArrived(window_);
    form_.RunEvent(Interface().GotFocus);
}

LRESULT ChildControl::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return window_ ? SendMessageW(window_, message, wParam, lParam) : 0;
}

}  // namespace ui
