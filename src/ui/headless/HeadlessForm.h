#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/headless/HeadlessDesktop.h"
#include "ui/Form.h"
#include "ui/headless/HeadlessControls.h"

namespace ui {

class HeadlessToolkit;

// The fixed frame of a headless form, twips: what lies between its outer bounds and its client
// area. Sizable: 120 at the sides and the bottom, 450 at the top (a 330 caption over a 120
// border); fixed dialog: 45 at the sides and the bottom, 345 at the top. At 96 DPI that is 8,
// 8, 30, 8 and 3, 3, 23, 3 pixels.
struct FrameTwips {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};
FrameTwips FrameOf(FormStyle style);

// A form of the headless toolkit: state only. The code under test uses it through ui::Form;
// a test drives it through the methods below as a user would, and every action is refused
// loudly when a user could not take it (form not loaded, hidden, or disabled behind a modal
// form).
//
// The rules it keeps, as the Win32 toolkit does:
// - Geometry is kept in twips and shown to the desktop in pixels at the form's DPI (96 unless
//   a test sets another). A new form stands at 0, 0 with its design client size.
// - Show loads the form first (Load once per load), then shows it: Resize once after each load,
//   Paint, then activation, which gives the focus to the control that had it, or else the first
//   control in tab order (GotFocus runs).
// - Resize also runs whenever the client size changes while the form is loaded.
// - An unload asked for while one of the form's handlers runs takes effect when that handler
//   has returned; otherwise at once. Unload runs UnloadEvent, hides the form and activates the
//   topmost form still shown.
// - Loading again after an unload starts from the design state, as a new window would: design
//   texts, no rows, no selection, design bounds.
// - ShowModal disables every other loaded form, runs the script the test queued for this form
//   (HeadlessToolkit::OnModal), enables them again and activates the form that was active.
//   A form still loaded when its script has ended is a script failure, not a hang.
class HeadlessForm : public Form, public platform::HeadlessWindow {
public:
    HeadlessForm(HeadlessToolkit& toolkit, const FormSpec& spec);
    ~HeadlessForm() override;

    // ui::Form
    platform::WindowHandle hWnd() const override { return Handle(); }
    const std::wstring& Name() const override { return spec_.name; }
    std::wstring Caption() const override { return caption_; }
    void SetCaption(const std::wstring& caption) override { caption_ = caption; }
    TwipsRect Bounds() const override { return bounds_; }
    void Move(const TwipsRect& bounds) override;
    int ScaleWidth() const override;
    int ScaleHeight() const override;
    void ClearIcon() override;
    void Show() override;
    void ShowModal() override;
    void Unload() override;
    bool IsLoaded() const override { return loaded_; }
    bool IsVisible() const override { return visible_; }
    void StartWork(BackgroundWork work) override;
    bool IsWorking() const override { return work_ != nullptr; }
    void CancelWork() override { work_.reset(); }
    Label& AddLabel(const ControlSpec& spec) override;
    TextBox& AddTextBox(const ControlSpec& spec) override;
    Button& AddButton(const ControlSpec& spec) override;
    ListBox& AddListBox(const ControlSpec& spec) override;
    DropDownList& AddDropDownList(const ControlSpec& spec) override;
    Shape& AddShape(const ControlSpec& spec) override;

    // platform::HeadlessWindow
    platform::PixelRect ScreenRect() const override;
    void SetScreenRect(const platform::PixelRect& rect) override;
    int Dpi() const override { return dpi_; }
    std::wstring WindowText() const override { return caption_; }
    void ChangeWindowText(const std::wstring& text) override { caption_ = text; }
    void RequestUnload() override { Unload(); }
    void TakeFocus() override { Activate(); }
    void BringToForeground() override { Activate(); }

    // --- What a test reads.
    const FormSpec& Spec() const { return spec_; }
    HeadlessToolkit& Toolkit() const { return toolkit_; }
    bool IsEnabled() const { return enabled_; }
    bool IsActive() const;
    // The control named so (the index-th of that name, for a control array), as the kind asked
    // for: HeadlessTextBox, HeadlessButton, HeadlessListBox, ui::ListControl ... Fails loudly
    // when there is none.
    template <class T>
    T& Get(const std::wstring& name, int index = 0) {
        T* found = dynamic_cast<T*>(&Find(name, index));
        if (!found) Fail("control " + Describe(name) + " is not of the kind asked for");
        return *found;
    }
    // The client area in screen twips.
    TwipsRect ClientAreaTwips() const;
    HeadlessControl* FocusedControl() const { return focused_; }
    // The name of the control that has the focus; empty when none has.
    std::wstring FocusedName() const;
    const std::vector<std::unique_ptr<HeadlessControl>>& Controls() const { return controls_; }
    int LoadCount() const { return loadCount_; }
    int ResizeCount() const { return resizeCount_; }
    int PaintCount() const { return paintCount_; }
    bool IconCleared() const { return iconCleared_; }
    void SetDpi(int dpi) { dpi_ = dpi; }

    // --- What a test does, as a user would. `shift` is the modifier mask held meanwhile.
    // Clicks a button: it takes the focus, then its Click handler runs.
    void Click(const std::wstring& button, int shift = 0);
    // Double-clicks a list row (-1: below the rows): the list takes the focus, the row is
    // selected, then DblClick runs.
    void DoubleClick(const std::wstring& list, int row, int shift = 0);
    // Types into a text box or a list box: it takes the focus if it has not got it (GotFocus
    // runs); then the typed text replaces a text box's selection, and each character of it
    // finds a list box's row, all at the toolkit's present clock.
    void Type(const std::wstring& control, const std::wstring& text);
    // Sets a text box's whole text, as code or a paste over everything would; the focus stays.
    void SetText(const std::wstring& textBox, const std::wstring& text);
    // Clicks a row of a list box or a drop-down list: the control takes the focus and the row
    // is selected.
    void SelectRow(const std::wstring& list, int row);
    // Drops files from the shell onto a list box over `row` (its ListCount(): below the rows).
    void DropFiles(const std::wstring& list, const std::vector<std::wstring>& files, int row);
    // Gives the control the focus, as a click or the Tab key would.
    void Focus(const std::wstring& control);
    // A key with modifiers, dispatched as the message loop does: the form's KeyDown first when
    // it previews keys (keyCode set to 0 consumes the key), then the focused control's KeyDown,
    // then the dialog keys (Tab and Shift+Tab move the focus in tab order; Enter presses the
    // focused button, else the default button; Esc presses the cancel button), then the
    // control's own handling (a list moves its selection with Up, Down, Home and End).
    void PressKey(int keyCode, int shift = 0);
    // Closes the form with its close box.
    void CloseBox();
    // Lets the form paint, as an uncovered window does.
    void Repaint();
    // Runs the work started in the background to its end, here, and then its `finished` event,
    // as the worker and the message loop would; until then the work waits, and a test acts
    // meanwhile. Fails loudly when no work waits.
    void FinishWork();
    // What the work last reported: done and total.
    std::pair<int, int> ReportedProgress() const { return reported_; }

    // --- Used by the controls and the toolkit.
    void FocusControl(HeadlessControl& control);
    void Activate();
    void SetEnabled(bool enabled) { enabled_ = enabled; }
    // Runs an event handler of the form or of one of its controls; an unload asked for meanwhile
    // takes effect when the outermost handler of the form has returned.
    void Dispatch(const std::function<void()>& handler);
    [[noreturn]] void Fail(const std::string& what) const;

private:
    HeadlessControl& Find(const std::wstring& name, int index);
    std::string Describe(const std::wstring& controlName) const;
    template <class T>
    T& Add(const ControlSpec& spec);
    void LoadNow();
    void CompleteUnload();
    void RequireInteractive(const char* action) const;
    HeadlessControl* NextInTabOrder(int step) const;
    HeadlessButton* ButtonWhere(bool ControlSpec::*flag) const;
    void SetBoundsTwips(const TwipsRect& bounds);
    void RunResize();
    void RunPaint();

    HeadlessToolkit& toolkit_;
    FormSpec spec_;
    std::wstring caption_;
    TwipsRect bounds_;
    int dpi_ = 96;
    bool loaded_ = false;
    bool visible_ = false;
    bool enabled_ = true;
    bool unloading_ = false;
    bool unloadPending_ = false;
    bool resizedSinceLoad_ = false;
    bool iconCleared_ = false;
    int busy_ = 0;
    int loadCount_ = 0;
    int resizeCount_ = 0;
    int paintCount_ = 0;
    std::vector<std::unique_ptr<HeadlessControl>> controls_;
    HeadlessControl* focused_ = nullptr;
    std::unique_ptr<BackgroundWork> work_;
    std::pair<int, int> reported_{0, 0};
};

}  // namespace ui
