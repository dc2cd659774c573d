#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/Installed.h"
#include "ui/Controls.h"

namespace ui {

enum class FormStyle {
    Sizable,      // sizable border, no minimize or maximize box, a task-bar button
    FixedDialog,  // fixed dialog frame with a close box, no task-bar button
};

struct FormSpec {
    std::wstring name;     // the form's name, e.g. "frmMain"
    std::wstring caption;
    int clientWidth = 0;   // twips
    int clientHeight = 0;  // twips
    FormStyle style = FormStyle::Sizable;
    bool keyPreview = false;  // the form's KeyDown sees each key before the focused control
};

struct ControlSpec {
    std::wstring name;  // e.g. "lstItems"
    TwipsRect bounds;   // twips, within the client area
    std::wstring caption;
    std::wstring toolTip;
    bool isDefault = false;  // buttons: Enter presses it
    bool isCancel = false;   // buttons: Esc presses it
    bool autoSize = false;   // labels: sizes itself to its text
};

// What work running in the background is given.
class WorkProgress {
public:
    virtual ~WorkProgress() = default;
    // False once the work has been cancelled: it should stop, nothing it makes will be used.
    virtual bool Wanted() const = 0;
    // `done` of `total` steps are done; the form's progress bar shows it.
    virtual void Report(int done, int total) = 0;
};

// Work too long for an event handler, which would keep the form from painting and answering.
struct BackgroundWork {
    // Runs on a worker thread (on Windows with COM of its own). It touches no form or control,
    // and nothing else the form's thread uses meanwhile.
    std::function<void(WorkProgress&)> work;
    // Then runs on the form's thread, as an event of the form, unless the work was cancelled.
    std::function<void()> finished;
    // Where a progress bar shows once the work has taken longer than a moment (twips).
    TwipsRect progressBar;
};

// A top-level window. All forms use Tahoma 9 pt, regular weight, Cyrillic character set.
// Controls take their tab order from the order in which they are added.
class Form {
public:
    virtual ~Form() = default;

    virtual platform::WindowHandle hWnd() const = 0;
    virtual const std::wstring& Name() const = 0;
    virtual std::wstring Caption() const = 0;
    virtual void SetCaption(const std::wstring& caption) = 0;

    // Outer bounds, screen twips.
    virtual TwipsRect Bounds() const = 0;
    virtual void Move(const TwipsRect& bounds) = 0;
    // Client area, twips.
    virtual int ScaleWidth() const = 0;
    virtual int ScaleHeight() const = 0;

    virtual void ClearIcon() = 0;

    // Shows the form modeless, loading it first if it is not loaded (Load runs once per load).
    virtual void Show() = 0;
    // Loads and shows the form modally: every other window of the application is disabled
    // until the form unloads, and the call returns then. The form is owned by the form that
    // showed it (the one the user works in), by the hidden window when none is shown.
    virtual void ShowModal() = 0;
    // Unloads the form: the Unload event runs and the window goes. Called while one of the
    // form's event handlers runs, it takes effect once that handler has returned.
    virtual void Unload() = 0;
    virtual bool IsLoaded() const = 0;
    virtual bool IsVisible() const = 0;

    // Starts work in the background; the pointer shows the working cursor over the form until
    // it ends. One piece of work at a time: std::logic_error while one runs.
    virtual void StartWork(BackgroundWork work) = 0;
    // From StartWork until the work's `finished` starts or the work is cancelled.
    virtual bool IsWorking() const = 0;
    // Tells the work to stop and forgets it: its `finished` never runs. The worker is not waited
    // for (it may be waiting on a server that does not answer). An unload cancels too.
    virtual void CancelWork() = 0;

    virtual Label& AddLabel(const ControlSpec& spec) = 0;
    virtual TextBox& AddTextBox(const ControlSpec& spec) = 0;
    virtual Button& AddButton(const ControlSpec& spec) = 0;
    virtual ListBox& AddListBox(const ControlSpec& spec) = 0;
    virtual DropDownList& AddDropDownList(const ControlSpec& spec) = 0;
    virtual Shape& AddShape(const ControlSpec& spec) = 0;

    std::function<void()> Load;
    std::function<void()> Resize;
    std::function<void()> Paint;
    std::function<void()> UnloadEvent;
    KeyHandler KeyDown;  // with keyPreview: every key, before the focused control
};

class Toolkit {
public:
    virtual ~Toolkit() = default;
    // Registers the common control classes the forms use; before any form is made.
    virtual void InitCommonControls() = 0;
    virtual std::unique_ptr<Form> CreateForm(const FormSpec& spec) = 0;
    // Lets pending window messages be processed once.
    virtual void DoEvents() = 0;
    // Runs until the last form has unloaded.
    virtual void RunMessageLoop() = 0;
};

// The toolkit installed for this process (std::logic_error when none is).
inline Toolkit& Tk() { return platform::Installed<Toolkit>::Get(); }
using ScopedToolkit = platform::Installed<Toolkit>::Scope;

}  // namespace ui
