#include "ui/headless/HeadlessForm.h"

#include <algorithm>

#include "platform/WinConstants.h"
#include "platform/headless/HeadlessKeyboard.h"
#include "ui/headless/HeadlessToolkit.h"
#include "ui/headless/Twips.h"

namespace ui {

using platform::Printable;

FrameTwips FrameOf(FormStyle style) {
    switch (style) {
        case FormStyle::Sizable: return FrameTwips{120, 450, 120, 120};
        case FormStyle::FixedDialog: return FrameTwips{45, 345, 45, 45};
    }
    return FrameTwips{};
}

namespace {

TwipsRect DesignBounds(const FormSpec& spec) {
    const FrameTwips frame = FrameOf(spec.style);
    return TwipsRect{0, 0, spec.clientWidth + frame.left + frame.right,
                     spec.clientHeight + frame.top + frame.bottom};
}

}  // namespace

HeadlessForm::HeadlessForm(HeadlessToolkit& toolkit, const FormSpec& spec)
    : HeadlessWindow(toolkit.Environment().Desktop()),
      toolkit_(toolkit),
      spec_(spec),
      caption_(spec.caption),
      bounds_(DesignBounds(spec)) {}

HeadlessForm::~HeadlessForm() = default;

// --- Geometry

TwipsRect HeadlessForm::ClientAreaTwips() const {
    const FrameTwips frame = FrameOf(spec_.style);
    return TwipsRect{bounds_.left + frame.left, bounds_.top + frame.top, ScaleWidth(),
                     ScaleHeight()};
}

int HeadlessForm::ScaleWidth() const {
    const FrameTwips frame = FrameOf(spec_.style);
    return std::max(0, bounds_.width - frame.left - frame.right);
}

int HeadlessForm::ScaleHeight() const {
    const FrameTwips frame = FrameOf(spec_.style);
    return std::max(0, bounds_.height - frame.top - frame.bottom);
}

void HeadlessForm::Move(const TwipsRect& bounds) { SetBoundsTwips(bounds); }

void HeadlessForm::SetBoundsTwips(const TwipsRect& bounds) {
    const int oldWidth = ScaleWidth();
    const int oldHeight = ScaleHeight();
    bounds_ = bounds;
    if (loaded_ && (ScaleWidth() != oldWidth || ScaleHeight() != oldHeight)) RunResize();
}

platform::PixelRect HeadlessForm::ScreenRect() const {
    return platform::PixelRect{TwipsToPixels(bounds_.left, dpi_), TwipsToPixels(bounds_.top, dpi_),
                               TwipsToPixels(bounds_.left + bounds_.width, dpi_),
                               TwipsToPixels(bounds_.top + bounds_.height, dpi_)};
}

void HeadlessForm::SetScreenRect(const platform::PixelRect& rect) {
    SetBoundsTwips(TwipsRect{PixelsToTwips(rect.left, dpi_), PixelsToTwips(rect.top, dpi_),
                             PixelsToTwips(rect.Width(), dpi_),
                             PixelsToTwips(rect.Height(), dpi_)});
}

void HeadlessForm::ClearIcon() {
    iconResource.clear();
    iconCleared_ = true;
}

// --- Controls

template <class T>
T& HeadlessForm::Add(const ControlSpec& spec) {
    auto control = std::make_unique<T>(*this, spec);
    T& added = *control;
    controls_.push_back(std::move(control));
    return added;
}

Label& HeadlessForm::AddLabel(const ControlSpec& spec) { return Add<HeadlessLabel>(spec); }
TextBox& HeadlessForm::AddTextBox(const ControlSpec& spec) { return Add<HeadlessTextBox>(spec); }
Button& HeadlessForm::AddButton(const ControlSpec& spec) { return Add<HeadlessButton>(spec); }
ListBox& HeadlessForm::AddListBox(const ControlSpec& spec) { return Add<HeadlessListBox>(spec); }
DropDownList& HeadlessForm::AddDropDownList(const ControlSpec& spec) {
    return Add<HeadlessDropDownList>(spec);
}
Shape& HeadlessForm::AddShape(const ControlSpec& spec) { return Add<HeadlessShape>(spec); }

HeadlessControl& HeadlessForm::Find(const std::wstring& name, int index) {
    int seen = 0;
    for (const auto& control : controls_) {
        if (control->Name() == name && seen++ == index) return *control;
    }
    Fail("has no control " + Describe(name) + " (index " + std::to_string(index) + ")");
}

std::string HeadlessForm::Describe(const std::wstring& controlName) const {
    return "\"" + Printable(controlName) + "\"";
}

std::wstring HeadlessForm::FocusedName() const {
    return focused_ ? focused_->Name() : std::wstring();
}

bool HeadlessForm::IsActive() const { return Desktop().Active() == Handle(); }

void HeadlessForm::Fail(const std::string& what) const {
    Desktop().log.Fail(Printable(spec_.name) + ": " + what);
}

// --- Events and life

void HeadlessForm::Dispatch(const std::function<void()>& handler) {
    if (!handler) return;
    ++busy_;
    try {
        handler();
    } catch (...) {
        --busy_;
        throw;
    }
    --busy_;
    if (busy_ == 0 && unloadPending_) {
        unloadPending_ = false;
        CompleteUnload();
    }
}

void HeadlessForm::RunResize() {
    resizedSinceLoad_ = true;
    ++resizeCount_;
    Dispatch(Resize);
}

void HeadlessForm::RunPaint() {
    ++paintCount_;
    Dispatch(Paint);
}

void HeadlessForm::LoadNow() {
    if (loadCount_ > 0) {
        for (const auto& control : controls_) control->ResetToDesign();
        bounds_ = DesignBounds(spec_);
        caption_ = spec_.caption;
        iconResource.clear();
        iconCleared_ = false;
    }
    loaded_ = true;
    enabled_ = true;
    resizedSinceLoad_ = false;
    focused_ = nullptr;
    ++loadCount_;
    Dispatch(Load);
}

void HeadlessForm::Show() {
    if (!loaded_) {
        LoadNow();
        if (!loaded_) return;
    }
    if (visible_) {
        Activate();
        return;
    }
    visible_ = true;
    if (!resizedSinceLoad_) {
        RunResize();
        if (!visible_) return;
    }
    RunPaint();
    if (!visible_) return;
    Activate();
}

void HeadlessForm::ShowModal() {
    const platform::WindowHandle previous = Desktop().Active();
    Show();
    if (!loaded_) return;
    HeadlessToolkit::FormScript script = toolkit_.TakeModalScript(spec_.name);
    if (!script) Fail("shown modally, and no script was queued for it (HeadlessToolkit::OnModal)");

    std::vector<platform::WindowHandle> disabled;
    for (HeadlessForm* form : toolkit_.Forms()) {
        if (form != this && form->IsLoaded() && form->IsEnabled()) {
            form->SetEnabled(false);
            disabled.push_back(form->Handle());
        }
    }
    auto enableAgain = [&] {
        for (platform::WindowHandle handle : disabled) {
            if (auto* form = dynamic_cast<HeadlessForm*>(Desktop().Find(handle)))
                form->SetEnabled(true);
        }
    };
    try {
        script(*this);
    } catch (...) {
        enableAgain();
        throw;
    }
    enableAgain();
    if (loaded_) Fail("still loaded after its modal script: the script must close it");

    auto* owner = dynamic_cast<HeadlessForm*>(Desktop().Find(previous));
    if (owner && owner->IsVisible()) {
        owner->Activate();
    } else {
        toolkit_.ActivateTopmost();
    }
}

void HeadlessForm::Unload() {
    if (!loaded_) return;
    if (busy_ > 0) {
        unloadPending_ = true;
        return;
    }
    CompleteUnload();
}

void HeadlessForm::CompleteUnload() {
    if (!loaded_ || unloading_) return;
    unloading_ = true;
    CancelWork();
    auto finish = [this] {
        unloading_ = false;
        unloadPending_ = false;
        loaded_ = false;
        visible_ = false;
        enabled_ = true;
        Desktop().RemoveFromZOrder(Handle());
        const bool wasActive = Desktop().Active() == Handle();
        const bool hadFocus = focused_ && Desktop().Focused() == focused_->Handle();
        if (wasActive) Desktop().SetActive(nullptr);
        if (wasActive || hadFocus || Desktop().Focused() == Handle())
            Desktop().SetFocused(nullptr);
        return wasActive;
    };
    try {
        Dispatch(UnloadEvent);
    } catch (...) {
        finish();
        throw;
    }
    if (finish()) toolkit_.ActivateTopmost();
}

void HeadlessForm::Activate() {
    if (!loaded_ || !visible_) return;
    const bool wasActive = IsActive();
    Desktop().SetActive(Handle());
    if (!focused_) focused_ = NextInTabOrder(1);
    if (wasActive) return;
    if (!focused_) {
        Desktop().SetFocused(Handle());
        return;
    }
    Desktop().SetFocused(focused_->Handle());
    Dispatch(focused_->AsControl().GotFocus);
}

void HeadlessForm::FocusControl(HeadlessControl& control) {
    if (!control.TakesFocus()) Fail("control " + Describe(control.Name()) + " cannot take the focus");
    focused_ = &control;
    if (!loaded_ || !visible_) return;  // given when the form is shown
    Desktop().SetActive(Handle());
    if (Desktop().Focused() == control.Handle()) return;
    Desktop().SetFocused(control.Handle());
    Dispatch(control.AsControl().GotFocus);
}

HeadlessControl* HeadlessForm::NextInTabOrder(int step) const {
    std::vector<HeadlessControl*> stops;
    for (const auto& control : controls_) {
        if (control->TakesFocus()) stops.push_back(control.get());
    }
    if (stops.empty()) return nullptr;
    const auto current = std::find(stops.begin(), stops.end(), focused_);
    if (current == stops.end()) return step > 0 ? stops.front() : stops.back();
    const int count = static_cast<int>(stops.size());
    const int index = static_cast<int>(current - stops.begin());
    return stops[((index + step) % count + count) % count];
}

HeadlessButton* HeadlessForm::ButtonWhere(bool ControlSpec::*flag) const {
    for (const auto& control : controls_) {
        auto* button = dynamic_cast<HeadlessButton*>(control.get());
        if (button && button->Spec().*flag) return button;
    }
    return nullptr;
}

// --- The driver

void HeadlessForm::RequireInteractive(const char* action) const {
    const std::string refused = std::string(action) + " refused: the form is ";
    if (!loaded_) Fail(refused + "not loaded");
    if (!visible_) Fail(refused + "hidden");
    if (!enabled_) Fail(refused + "disabled behind a modal form");
}

void HeadlessForm::Click(const std::wstring& button, int shift) {
    RequireInteractive("Click");
    auto& target = Get<HeadlessButton>(button);
    platform::HeldModifiers held(toolkit_.Environment().keyboard, shift);
    FocusControl(target);
    if (loaded_) target.Press();
}

void HeadlessForm::DoubleClick(const std::wstring& list, int row, int shift) {
    RequireInteractive("DoubleClick");
    auto& target = Get<HeadlessListBox>(list);
    if (row < -1 || row >= target.ListCount())
        Fail(Describe(list) + " has no row " + std::to_string(row));
    platform::HeldModifiers held(toolkit_.Environment().keyboard, shift);
    FocusControl(target);
    if (row != -1) target.SetListIndex(row);
    Dispatch(target.DblClick);
}

void HeadlessForm::Type(const std::wstring& control, const std::wstring& text) {
    RequireInteractive("Type");
    HeadlessControl& target = Find(control, 0);
    auto* textBox = dynamic_cast<HeadlessTextBox*>(&target);
    auto* list = dynamic_cast<HeadlessListBox*>(&target);
    if (!textBox && !list) Fail("cannot type into " + Describe(control));
    if (!target.HasFocus()) FocusControl(target);
    if (textBox) textBox->ReplaceSelection(text);
    if (list) {
        for (wchar_t character : text) list->TypeCharacter(character);
    }
}

void HeadlessForm::SetText(const std::wstring& textBox, const std::wstring& text) {
    RequireInteractive("SetText");
    Get<HeadlessTextBox>(textBox).SetText(text);
}

void HeadlessForm::SelectRow(const std::wstring& list, int row) {
    RequireInteractive("SelectRow");
    auto& rows = Get<ListControl>(list);
    if (row < 0 || row >= rows.ListCount())
        Fail(Describe(list) + " has no row " + std::to_string(row));
    FocusControl(Find(list, 0));
    rows.SetListIndex(row);
}

void HeadlessForm::DropFiles(const std::wstring& list, const std::vector<std::wstring>& files,
                             int row) {
    RequireInteractive("DropFiles");
    auto& target = Get<HeadlessListBox>(list);
    if (row < 0 || row > target.ListCount())
        Fail(Describe(list) + " has no row " + std::to_string(row) + " to drop on");
    if (!target.FilesDropped) Fail(Describe(list) + " takes no drops");
    Dispatch([&] { target.FilesDropped(files, row); });
}

void HeadlessForm::Focus(const std::wstring& control) {
    RequireInteractive("Focus");
    FocusControl(Find(control, 0));
}

void HeadlessForm::PressKey(int keyCode, int shift) {
    using namespace platform;
    RequireInteractive("PressKey");
    HeldModifiers held(toolkit_.Environment().keyboard, shift);
    int key = keyCode;
    HeadlessControl* target = focused_;
    if (spec_.keyPreview || !target) {
        Dispatch([&] {
            if (KeyDown) KeyDown(key, shift);
        });
        if (key == 0 || !loaded_ || !target) return;
    }
    Dispatch([&] {
        if (target->AsControl().KeyDown) target->AsControl().KeyDown(key, shift);
    });
    if (key == 0 || !loaded_) return;

    const bool alt = (shift & kAltMask) != 0;
    const bool ctrlOrAlt = (shift & (kCtrlMask | kAltMask)) != 0;
    HeadlessButton* pressed = nullptr;
    if (key == vk::Tab && !ctrlOrAlt) {
        if (HeadlessControl* next = NextInTabOrder((shift & kShiftMask) ? -1 : 1))
            FocusControl(*next);
        return;
    }
    if (key == vk::Return && !alt) {
        pressed = dynamic_cast<HeadlessButton*>(target);
        if (!pressed) pressed = ButtonWhere(&ControlSpec::isDefault);
    } else if (key == vk::Escape && !alt) {
        pressed = ButtonWhere(&ControlSpec::isCancel);
    }
    if (pressed) {
        pressed->Press();
        return;
    }
    target->HandleOwnKey(key, shift);
}

void HeadlessForm::CloseBox() {
    RequireInteractive("CloseBox");
    Unload();
}

void HeadlessForm::StartWork(BackgroundWork work) {
    if (work_) throw std::logic_error("the form's work has not ended yet");
    work_ = std::make_unique<BackgroundWork>(std::move(work));
}

void HeadlessForm::FinishWork() {
    if (!work_) Fail("FinishWork refused: no work waits");
    class Progress : public WorkProgress {
    public:
        explicit Progress(std::pair<int, int>& reported) : reported_(reported) {}
        bool Wanted() const override { return true; }
        void Report(int done, int total) override { reported_ = {done, total}; }

    private:
        std::pair<int, int>& reported_;
    } progress(reported_);
    const std::unique_ptr<BackgroundWork> work = std::move(work_);
    work->work(progress);
    Dispatch(work->finished);
}

void HeadlessForm::Repaint() {
    if (!loaded_ || !visible_) Fail("Repaint refused: the form is not showing");
    RunPaint();
}

}  // namespace ui
