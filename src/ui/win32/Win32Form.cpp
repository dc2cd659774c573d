#include "ui/win32/Win32Form.h"

#include <stdexcept>

#include "platform/Application.h"
#include "platform/WinConstants.h"
#include "platform/components/ScreenGeometry.h"
#include "platform/text/Encoding.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/HiddenOwner.h"
#include "platform/win32/NewWindowPlace.h"
#include "platform/win32/PaintTarget.h"
#include "platform/win32/PrivateMessages.h"
#include "platform/win32/WindowIcons.h"
#include "platform/win32/WindowPosition.h"
#include "platform/win32/WindowText.h"
#include "platform/win32/WorkingWindow.h"
#include "ui/win32/MessageLoop.h"
#include "ui/win32/ShellDrop.h"
#include "ui/win32/Twips.h"
#include "ui/win32/Win32Controls.h"
#include "ui/win32/Win32Toolkit.h"

namespace ui {

namespace {

constexpr wchar_t kFormClass[] = L"ShowLarkspur.Form";
// Control identifiers stay clear of IDOK and IDCANCEL, which the dialog manager sends for
// Enter and Esc.
constexpr int kFirstControlId = 100;

int ShiftMask() {
    return (GetKeyState(VK_SHIFT) < 0 ? platform::kShiftMask : 0) |
           (GetKeyState(VK_CONTROL) < 0 ? platform::kCtrlMask : 0) |
           (GetKeyState(VK_MENU) < 0 ? platform::kAltMask : 0);
}

struct ModalContext {
    HWND modal;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableForModal(HWND window, LPARAM context) {
    auto* modal = reinterpret_cast<ModalContext*>(context);
    if (window != modal->modal && GetWindow(window, GW_OWNER) != modal->modal &&
        IsWindowVisible(window) && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        modal->disabled->push_back(window);
    }
    return TRUE;
}

}  // namespace

Win32Form::Win32Form(Win32Toolkit& toolkit, const FormSpec& spec)
    : toolkit_(toolkit), spec_(spec), nextId_(kFirstControlId) {
    CreateWindowAndControls();
}

Win32Form::~Win32Form() {
    // Ending without an unload: the window goes without the events.
    if (window_) DestroyWindow(window_);
}

Win32Form* Win32Form::FromWindow(HWND window) {
    if (!window || GetClassLongPtrW(window, GCW_ATOM) != ClassAtom()) return nullptr;
    return reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Window

ATOM Win32Form::ClassAtom() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = kFormClass;
        return RegisterClassExW(&windowClass);
    }();
    return atom;
}

void Win32Form::CreateWindowAndControls() {
    bool fixed = spec_.style == FormStyle::FixedDialog;
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN |
                  (fixed ? 0 : WS_THICKFRAME);
    // A fixed dialog is owned by the hidden window, which keeps it off the task bar.
    DWORD exStyle = WS_EX_CONTROLPARENT | (fixed ? WS_EX_DLGMODALFRAME : WS_EX_APPWINDOW);
    HWND owner = fixed ? platform::HiddenOwnerOfWindows() : nullptr;
    // Made where a load that sizes and centres it leaves it, so that such a load moves nothing:
    // on the monitor of the form the user works in, or the one the program was started from.
    const platform::PixelRect area = platform::WorkAreaForNewWindow();
    const int dpi = platform::SystemDpi();
    const SIZE size = OuterSize(style, exStyle, dpi);
    const platform::PixelRect outer = platform::CentredIn(size.cx, size.cy, area);
    CreateWindowExW(exStyle, MAKEINTATOM(ClassAtom()), spec_.caption.c_str(), style, outer.left,
                    outer.top, outer.Width(), outer.Height(), owner, nullptr,
                    GetModuleHandleW(nullptr), this);
    if (!window_) throw std::runtime_error("the form's window could not be created");
    dpi_ = platform::WindowDpi(window_);
    if (dpi_ != dpi) {  // a monitor of another DPI: the size at its DPI, centred again
        const SIZE sized = OuterSize(style, exStyle, dpi_);
        platform::MoveWindowTo(window_, platform::CentredIn(sized.cx, sized.cy, area));
    }
    font_.Create(dpi_);
    for (auto& control : controls_) CreateControlWindow(*control);
}

void Win32Form::CreateControlWindow(ChildControl& control) {
    control.CreateOn(window_);
    const std::wstring& tip = control.Spec().toolTip;
    if (!tip.empty() && control.Window()) toolTips_.Add(window_, control.Window(), tip);
}

SIZE Win32Form::OuterSize(DWORD style, DWORD exStyle, int dpi) const {
    RECT client{0, 0, TwipsToPixels(spec_.clientWidth, dpi),
                TwipsToPixels(spec_.clientHeight, dpi)};
    const RECT outer = platform::OuterRectForClient(client, style, exStyle, dpi);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

// Properties

std::wstring Win32Form::Caption() const { return platform::WindowText(window_); }

void Win32Form::SetCaption(const std::wstring& caption) {
    if (window_) SetWindowTextW(window_, caption.c_str());
}

TwipsRect Win32Form::Bounds() const {
    RECT rect{};
    if (!window_ || !GetWindowRect(window_, &rect)) return {};
    return {PixelsToTwips(rect.left, dpi_), PixelsToTwips(rect.top, dpi_),
            PixelsToTwips(rect.right - rect.left, dpi_),
            PixelsToTwips(rect.bottom - rect.top, dpi_)};
}

void Win32Form::Move(const TwipsRect& bounds) {
    if (!window_) return;
    const int left = TwipsToPixels(bounds.left, dpi_);
    const int top = TwipsToPixels(bounds.top, dpi_);
    platform::MoveWindowTo(window_, {left, top, left + TwipsToPixels(bounds.width, dpi_),
                                     top + TwipsToPixels(bounds.height, dpi_)});
}

int Win32Form::ScaleWidth() const {
    RECT client{};
    if (!window_ || !GetClientRect(window_, &client)) return 0;
    return PixelsToTwips(client.right, dpi_);
}

int Win32Form::ScaleHeight() const {
    RECT client{};
    if (!window_ || !GetClientRect(window_, &client)) return 0;
    return PixelsToTwips(client.bottom, dpi_);
}

void Win32Form::ClearIcon() {
    if (window_) platform::ClearWindowIcons(window_);
}

bool Win32Form::IsVisible() const { return window_ && IsWindowVisible(window_); }

// Controls

template <class T>
T& Win32Form::AddControl(std::unique_ptr<T> control) {
    T& added = *control;
    controls_.push_back(std::move(control));
    if (window_) CreateControlWindow(added);
    return added;
}

Label& Win32Form::AddLabel(const ControlSpec& spec) {
    return AddControl(std::make_unique<Win32Label>(*this, spec, nextId_++));
}

TextBox& Win32Form::AddTextBox(const ControlSpec& spec) {
    return AddControl(std::make_unique<Win32TextBox>(*this, spec, nextId_++));
}

Button& Win32Form::AddButton(const ControlSpec& spec) {
    Win32Button& button = AddControl(std::make_unique<Win32Button>(*this, spec, nextId_++));
    buttons_.push_back(&button);
    if (spec.isDefault) defaultId_ = button.Id();
    if (spec.isCancel) cancelId_ = button.Id();
    return button;
}

ListBox& Win32Form::AddListBox(const ControlSpec& spec) {
    return AddControl(std::make_unique<Win32ListBox>(*this, spec, nextId_++));
}

DropDownList& Win32Form::AddDropDownList(const ControlSpec& spec) {
    return AddControl(std::make_unique<Win32DropDownList>(*this, spec, nextId_++));
}

Shape& Win32Form::AddShape(const ControlSpec& spec) {
    return AddControl(std::make_unique<Win32Shape>(*this, spec, nextId_++));
}

ChildControl* Win32Form::ControlWithId(int id) const {
    for (const auto& control : controls_) {
        if (control->Id() == id) return control.get();
    }
    return nullptr;
}

ChildControl* Win32Form::ControlOf(HWND window) const {
    for (const auto& control : controls_) {
        HWND own = control->Window();
        if (own && (own == window || IsChild(own, window))) return control.get();
    }
    return nullptr;
}

// Loading and unloading

bool Win32Form::EnsureLoaded() {
    if (loaded_) return true;
    if (!window_) CreateWindowAndControls();
    if (DropTarget()) AcceptDroppedFiles(window_);
    loaded_ = true;
    toolkit_.FormLoaded();
    RunEvent(Load);
    if (loaded_) RunEvent(Resize);
    return loaded_;
}

void Win32Form::Show() {
    if (!EnsureLoaded()) return;
    if (!IsWindowVisible(window_)) ShowWindow(window_, SW_SHOW);
}

void Win32Form::ShowModal() {
    if (IsVisible()) throw std::logic_error("a form that is shown cannot be shown modally");
    HWND opener = platform::WorkingWindow();
    if (!EnsureLoaded()) return;
    TakeOwner(opener ? opener : platform::HiddenOwnerOfWindows());
    DisableOtherWindows();
    ShowWindow(window_, SW_SHOW);
    if (auto quitCode = RunMessagesUntil([this] { return !loaded_; })) {
        PostQuitMessage(*quitCode);  // for the loop outside this one
    }
}

// A modal form is owned by the form that showed it, so that the system brings it forward with
// that form (from the task bar, say) instead of leaving it behind the disabled one.
void Win32Form::TakeOwner(HWND owner) {
    if (GetWindow(window_, GW_OWNER) != owner) {
        SetWindowLongPtrW(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    }
}

void Win32Form::Unload() {
    if (!loaded_ || unloading_) return;
    if (eventDepth_ > 0) {
        unloadPending_ = true;
        return;
    }
    UnloadNow();
}

void Win32Form::UnloadNow() {
    unloading_ = true;
    RunEvent(UnloadEvent);
    unloading_ = false;
    if (!loaded_) return;  // the window went while the event ran
    HWND window = window_;
    MarkUnloaded();
    DestroyWindow(window);
}

// Re-enables the windows a modal form disabled before the form's window goes, so that the
// system activates one of them rather than some other application's window.
void Win32Form::MarkUnloaded() {
    loaded_ = false;
    unloadPending_ = false;
    EnableDisabledWindows();
    toolkit_.FormUnloaded();
}

void Win32Form::WindowGone() {
    work_.WindowGone();
    if (loaded_) MarkUnloaded();
    platform::ReleaseWindowIcons(window_);
    toolTips_.Destroy();
    for (auto& control : controls_) control->Forget();
    font_.Release();
    focusToRestore_ = nullptr;
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    window_ = nullptr;
}

void Win32Form::DisableOtherWindows() {
    ModalContext context{window_, &disabledWhileModal_};
    EnumThreadWindows(GetCurrentThreadId(), DisableForModal, reinterpret_cast<LPARAM>(&context));
}

void Win32Form::EnableDisabledWindows() {
    for (HWND window : disabledWhileModal_) {
        if (IsWindow(window)) EnableWindow(window, TRUE);
    }
    disabledWhileModal_.clear();
}

// Events

void Win32Form::RunEvent(const std::function<void()>& handler) {
    if (!handler) return;
    std::function<void()> running = handler;  // the handler may replace itself
    ++eventDepth_;
    // Nothing may be thrown through the system's window procedures.
    try {
        running();
    } catch (const std::exception& error) {
        ReportFailure(error.what());
    } catch (...) {
        ReportFailure("unexpected failure");
    }
    --eventDepth_;
    if (eventDepth_ == 0 && unloadPending_) {
        unloadPending_ = false;
        UnloadNow();
    }
}

void Win32Form::ReportFailure(const char* what) {
    MessageBoxW(window_, platform::text::FromUtf8(what).c_str(), platform::App().Title.c_str(),
                MB_OK | MB_ICONERROR);
}

bool Win32Form::RouteKey(const MSG& message) {
    int shift = ShiftMask();
    int keyCode = static_cast<int>(message.wParam);
    if (spec_.keyPreview && KeyDown) {
        KeyHandler handler = KeyDown;
        RunEvent([&] { handler(keyCode, shift); });
        if (!window_ || keyCode == 0) return true;
    }
    ChildControl* control = ControlOf(message.hwnd);
    if (control && control->Interface().KeyDown) {
        KeyHandler handler = control->Interface().KeyDown;
        RunEvent([&] { handler(keyCode, shift); });
        if (!window_ || keyCode == 0) return true;
    }
    return false;
}

// Focus and the default button

void Win32Form::FocusChild(HWND child) {
    if (!window_ || !IsChild(window_, child)) return;
    if (GetActiveWindow() == window_) {
        ::SetFocus(child);
    } else {
        focusToRestore_ = child;
    }
}

void Win32Form::RestoreFocus() {
    HWND target = focusToRestore_;
    focusToRestore_ = nullptr;
    if (!target || !IsChild(window_, target) || !IsWindowVisible(target) ||
        !IsWindowEnabled(target)) {
        target = GetNextDlgTabItem(window_, nullptr, FALSE);
    }
    if (target) ::SetFocus(target);
}

void Win32Form::FocusArrived(HWND control) {
    bool onButton = false;
    for (Win32Button* button : buttons_) onButton = onButton || button->Window() == control;
    for (Win32Button* button : buttons_) {
        button->ShowAsDefault(onButton ? button->Window() == control : button->Id() == defaultId_);
    }
}

int Win32Form::DefaultIdFor(HWND focus) const {
    for (Win32Button* button : buttons_) {
        if (focus && button->Window() == focus) return button->Id();
    }
    return defaultId_;
}

void Win32Form::PressButton(int id) {
    for (Win32Button* button : buttons_) {
        if (id && button->Id() == id && IsWindowEnabled(button->Window())) {
            button->Notify(BN_CLICKED);
            return;
        }
    }
}

// Drops

Win32ListBox* Win32Form::DropTarget() const {
    for (const auto& control : controls_) {
        auto* list = dynamic_cast<Win32ListBox*>(control.get());
        if (list && list->FilesDropped) return list;
    }
    return nullptr;
}

void Win32Form::TakeDrop(HDROP drop) {
    const std::vector<std::wstring> files = FileNamesOf(drop);
    POINT point{};
    DragQueryPoint(drop, &point);
    DragFinish(drop);
    Win32ListBox* list = DropTarget();
    // Behind a modal form the window takes no drop, as it takes no click.
    if (list && IsWindowEnabled(window_)) list->TakeDrop(files, point);
}

// Background work

void Win32Form::StartWork(BackgroundWork work) {
    if (!window_) throw std::logic_error("a form without its window cannot start work");
    work_.Start(window_, dpi_, std::move(work));
}

void Win32Form::EndWork(WPARAM ticket) {
    std::optional<FormWork::Ended> ended = work_.TakeEnded(ticket);
    if (!ended) return;
    if (!ended->failure.empty()) {
        ReportFailure(ended->failure.c_str());
    } else {
        RunEvent(ended->finished);
    }
}

// Painting and DPI

void Win32Form::InvalidatePixels(const RECT& rect) {
    if (window_ && !IsRectEmpty(&rect)) InvalidateRect(window_, &rect, TRUE);
}

void Win32Form::PaintWindow() {
    HWND window = window_;
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(window, &paint);
    {
        platform::PaintingScope scope(window, dc);
        RunEvent(Paint);
    }
    if (window_) {
        for (auto& control : controls_) control->Paint(dc);
    }
    EndPaint(window, &paint);
}

void Win32Form::ChangeDpi(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    font_.Create(dpi_);
    platform::ReloadWindowIcons(window_, dpi_);
    toolTips_.ChangeDpi(dpi_);
    for (auto& control : controls_) control->Layout();
    work_.ChangeDpi(dpi_);
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
}

// Messages

LRESULT CALLBACK Win32Form::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* creating = static_cast<Win32Form*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        creating->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
    }
    auto* form = reinterpret_cast<Win32Form*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!form) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        form->WindowGone();
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return form->HandleMessage(message, wParam, lParam);
}

LRESULT Win32Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            if (id == IDCANCEL) {
                PressButton(cancelId_);
            } else if (id == IDOK) {
                PressButton(DefaultIdFor(GetFocus()));
            } else if (ChildControl* control = ControlWithId(id)) {
                control->Notify(HIWORD(wParam));
            }
            return 0;
        }
        case WM_MEASUREITEM:
        case WM_DRAWITEM:
            if (ChildControl* control = ControlWithId(static_cast<int>(wParam))) {
                if (message == WM_MEASUREITEM) {
                    control->MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
                } else {
                    control->DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                }
            }
            return TRUE;
        case DM_GETDEFID: {
            int id = DefaultIdFor(GetFocus());
            return id ? MAKELRESULT(id, DC_HASDEFID) : 0;
        }
        case DM_SETDEFID:
            defaultId_ = static_cast<int>(wParam);
            FocusArrived(GetFocus());
            return TRUE;
        case WM_NEXTDLGCTL: {
            HWND target = lParam ? reinterpret_cast<HWND>(wParam)
                                 : GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
            if (target) FocusChild(target);
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(window_, focus)) focusToRestore_ = focus;
            } else if (!HIWORD(wParam)) {
                RestoreFocus();
            }
            return 0;
        case WM_SIZE:
            if (loaded_) RunEvent(Resize);
            return 0;
        case WM_ERASEBKGND:
            // With a Paint event the event paints the background.
            if (!Paint) {
                RECT client{};
                GetClientRect(window_, &client);
                FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            }
            return 1;
        case WM_PAINT:
            PaintWindow();
            return 0;
        case WM_CLOSE:
            Unload();
            return 0;
        case WM_DROPFILES:
            TakeDrop(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_DPICHANGED:
            ChangeDpi(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case platform::kMsgUnloadRequest:
            Unload();
            return 0;
        case platform::kMsgWorkEnded:
            EndWork(wParam);
            return 0;
        case WM_TIMER:
            if (wParam != FormWork::kTimerId) return DefWindowProcW(window_, message, wParam, lParam);
            work_.Tick();
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && work_.SetWorkingCursor()) return TRUE;
            return DefWindowProcW(window_, message, wParam, lParam);
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

}  // namespace ui
