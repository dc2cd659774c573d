#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <vector>

#include "ui/Form.h"
#include "ui/win32/ChildControl.h"
#include "ui/win32/FormFont.h"
#include "ui/win32/FormWork.h"
#include "ui/win32/ToolTips.h"

namespace ui {

class Win32Button;
class Win32ListBox;
class Win32Toolkit;

// A form on a top-level window. The window and its controls' windows are made when the form is
// created and again at each load after an unload; the unload releases them. While the form is
// unloaded its controls have no window: they read as empty and ignore changes.
class Win32Form : public Form {
public:
    Win32Form(Win32Toolkit& toolkit, const FormSpec& spec);
    ~Win32Form() override;

    platform::WindowHandle hWnd() const override { return window_; }
    const std::wstring& Name() const override { return spec_.name; }
    std::wstring Caption() const override;
    void SetCaption(const std::wstring& caption) override;
    TwipsRect Bounds() const override;
    void Move(const TwipsRect& bounds) override;
    int ScaleWidth() const override;
    int ScaleHeight() const override;
    void ClearIcon() override;
    void Show() override;
    void ShowModal() override;
    void Unload() override;
    bool IsLoaded() const override { return loaded_; }
    bool IsVisible() const override;
    void StartWork(BackgroundWork work) override;
    bool IsWorking() const override { return work_.Running(); }
    void CancelWork() override { work_.Cancel(); }

    Label& AddLabel(const ControlSpec& spec) override;
    TextBox& AddTextBox(const ControlSpec& spec) override;
    Button& AddButton(const ControlSpec& spec) override;
    ListBox& AddListBox(const ControlSpec& spec) override;
    DropDownList& AddDropDownList(const ControlSpec& spec) override;
    Shape& AddShape(const ControlSpec& spec) override;

    // The form on a top-level window, or null when the window is not a form's.
    static Win32Form* FromWindow(HWND window);
    // Gives a WM_KEYDOWN or WM_SYSKEYDOWN to the form's key handler (with key preview) and then
    // to the focused control's. True when the key was consumed or the form has gone.
    bool RouteKey(const MSG& message);
    // Runs an event handler of the form or of one of its controls. An unload asked for while
    // handlers run takes effect when the outermost one has returned.
    void RunEvent(const std::function<void()>& handler);

    int Dpi() const { return dpi_; }
    HFONT Font() const { return font_.Get(); }
    // Moves the focus to a control; a form that is not active takes it when it is activated.
    void FocusChild(HWND child);
    // A control got the focus: the default button follows it.
    void FocusArrived(HWND control);
    void InvalidatePixels(const RECT& rect);

private:
    static ATOM ClassAtom();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    template <class T>
    T& AddControl(std::unique_ptr<T> control);
    void CreateWindowAndControls();
    void CreateControlWindow(ChildControl& control);
    // The outer size of the window for its client area.
    SIZE OuterSize(DWORD style, DWORD exStyle, int dpi) const;
    bool EnsureLoaded();
    void UnloadNow();
    void MarkUnloaded();
    void WindowGone();
    void TakeOwner(HWND owner);
    void DisableOtherWindows();
    void EnableDisabledWindows();
    void RestoreFocus();
    void PressButton(int id);
    int DefaultIdFor(HWND focus) const;
    ChildControl* ControlWithId(int id) const;
    ChildControl* ControlOf(HWND window) const;
    // Drops land on the form's first list that takes them, wherever they fall on the form.
    Win32ListBox* DropTarget() const;
    void TakeDrop(HDROP drop);
    void EndWork(WPARAM ticket);
    void PaintWindow();
    void ChangeDpi(int dpi, const RECT& suggested);
    void ReportFailure(const char* what);

    Win32Toolkit& toolkit_;
    FormSpec spec_;
    HWND window_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    FormFont font_;
    ToolTips toolTips_;
    FormWork work_;
    std::vector<std::unique_ptr<ChildControl>> controls_;
    std::vector<Win32Button*> buttons_;
    int nextId_;
    int defaultId_ = 0;  // the button Enter presses when the focus is not on a button
    int cancelId_ = 0;   // the button Esc presses
    bool loaded_ = false;
    bool unloading_ = false;
    bool unloadPending_ = false;
    int eventDepth_ = 0;
    HWND focusToRestore_ = nullptr;
    std::vector<HWND> disabledWhileModal_;
};

}  // namespace ui
