#pragma once

#include <windows.h>

#include <stdexcept>

#include "ui/Controls.h"
#include "ui/Form.h"

namespace ui {

class Win32Form;

// What a form needs of each of its controls. The control keeps its twips and makes its window
// anew at every load of the form; between an unload and the next load it has no window.
class ChildControl {
public:
    ChildControl(Win32Form& form, const ControlSpec& spec, int id);
    virtual ~ChildControl() = default;
    ChildControl(const ChildControl&) = delete;
    ChildControl& operator=(const ChildControl&) = delete;

    virtual Control& Interface() = 0;
    // Makes the control's window on the form's window.
    virtual void CreateOn(HWND form);
    // Takes the form's font and puts the window where its twips say at the form's DPI.
    void Layout();
    // A WM_COMMAND notification from the control's window.
    virtual void Notify(int code) {}
    // Shapes are drawn by the form.
    virtual void Paint(HDC dc) {}
    // WM_MEASUREITEM and WM_DRAWITEM of an owner-drawn control.
    virtual void MeasureItem(MEASUREITEMSTRUCT& item) {}
    virtual void DrawItem(const DRAWITEMSTRUCT& item) {}

    HWND Window() const { return window_; }
    int Id() const { return id_; }
    const ControlSpec& Spec() const { return spec_; }
    // The window went with the form's.
    void Forget() { window_ = nullptr; }

protected:
    struct WindowKind {
        const wchar_t* className;
        DWORD style;
        DWORD exStyle;
    };
    virtual WindowKind Kind() const { return {}; }
    // The window's rectangle in the form's client area, in pixels.
    virtual RECT PixelBounds() const;
    // Puts the window at PixelBounds.
    virtual void Place();
    void MoveTo(const TwipsRect& bounds);
    void FocusSelf();
    // The control got the focus: the form's default button follows, then GotFocus runs.
    void RaiseGotFocus();
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    Win32Form& form_;
    ControlSpec spec_;
    TwipsRect bounds_;
    HWND window_ = nullptr;
    int id_;
};

// The part of ui::Control that every control shares.
template <class Base>
class ControlImpl : public Base, public ChildControl {
public:
    using ChildControl::ChildControl;

    Control& Interface() override { return *this; }
    platform::WindowHandle hWnd() const override { return window_; }
    TwipsRect Bounds() const override { return bounds_; }
    void Move(const TwipsRect& bounds) override {
        if (bounds.width < 0 || bounds.height < 0) {
            throw std::invalid_argument("a control cannot have a negative size");
        }
        MoveTo(bounds);
    }
    void SetFocus() override { FocusSelf(); }
};

}  // namespace ui
