#include "ui/headless/HeadlessControls.h"

#include <algorithm>
#include <stdexcept>

#include "platform/WinConstants.h"
#include "ui/headless/HeadlessForm.h"
#include "ui/headless/HeadlessToolkit.h"
#include "ui/headless/Twips.h"

namespace ui {

HeadlessControl::HeadlessControl(HeadlessForm& form, const ControlSpec& spec)
    : HeadlessWindow(form.SharedDesktop()), form_(form), spec_(spec), bounds_(spec.bounds) {}

bool HeadlessControl::HasFocus() const { return Desktop().Focused() == Handle(); }

void HeadlessControl::MoveTo(const TwipsRect& bounds) {
    if (bounds.width < 0 || bounds.height < 0) {
        throw std::invalid_argument("negative size for control " +
                                    platform::Printable(spec_.name));
    }
    bounds_ = bounds;
}

void HeadlessControl::ResetToDesign() {
    bounds_ = spec_.bounds;
    receivedKeys_.clear();
}

platform::PixelRect HeadlessControl::ScreenRect() const {
    const TwipsRect client = form_.ClientAreaTwips();
    const int dpi = form_.Dpi();
    const int left = client.left + bounds_.left;
    const int top = client.top + bounds_.top;
    return platform::PixelRect{TwipsToPixels(left, dpi), TwipsToPixels(top, dpi),
                               TwipsToPixels(left + bounds_.width, dpi),
                               TwipsToPixels(top + bounds_.height, dpi)};
}

void HeadlessControl::SetScreenRect(const platform::PixelRect& rect) {
    const TwipsRect client = form_.ClientAreaTwips();
    const int dpi = form_.Dpi();
    MoveTo(TwipsRect{PixelsToTwips(rect.left, dpi) - client.left,
                     PixelsToTwips(rect.top, dpi) - client.top, PixelsToTwips(rect.Width(), dpi),
                     PixelsToTwips(rect.Height(), dpi)});
}

int HeadlessControl::Dpi() const { return form_.Dpi(); }

void HeadlessControl::TakeFocus() { form_.FocusControl(*this); }

void HeadlessControl::BringToForeground() { form_.Activate(); }

HeadlessLabel::HeadlessLabel(HeadlessForm& form, const ControlSpec& spec)
    : HeadlessControlOf(form, spec), caption_(spec.caption) {}

void HeadlessLabel::ResetToDesign() {
    HeadlessControl::ResetToDesign();
    caption_ = Spec().caption;
}

void HeadlessButton::Press() { Form().Dispatch(Click); }

HeadlessTextBox::HeadlessTextBox(HeadlessForm& form, const ControlSpec& spec)
    : HeadlessControlOf(form, spec), text_(spec.caption) {}

void HeadlessTextBox::SetText(const std::wstring& text) {
    text_ = text;
    selStart_ = 0;
    selLength_ = 0;
}

void HeadlessTextBox::SelectAllText() {
    selStart_ = 0;
    selLength_ = text_.size();
}

void HeadlessTextBox::ResetToDesign() {
    HeadlessControl::ResetToDesign();
    SetText(Spec().caption);
}

void HeadlessTextBox::ReplaceSelection(const std::wstring& typed) {
    text_.replace(selStart_, selLength_, typed);
    selStart_ += typed.size();
    selLength_ = 0;
}

template <class Interface>
size_t HeadlessListOf<Interface>::CheckedRow(int index) const {
    if (index < 0 || index >= static_cast<int>(rows_.size())) {
        throw std::out_of_range("row " + std::to_string(index) + " of " +
                                std::to_string(rows_.size()));
    }
    return static_cast<size_t>(index);
}

template <class Interface>
void HeadlessListOf<Interface>::HandleOwnKey(int keyCode, int shift) {
    HeadlessControl::HandleOwnKey(keyCode, shift);
    const int last = static_cast<int>(rows_.size()) - 1;
    if (last < 0) return;
    switch (keyCode) {
        case platform::vk::Up: index_ = index_ <= 0 ? 0 : index_ - 1; break;
        case platform::vk::Down: index_ = index_ < 0 ? 0 : std::min(index_ + 1, last); break;
        case platform::vk::Home: index_ = 0; break;
        case platform::vk::End: index_ = last; break;
        default: break;
    }
}

template class HeadlessListOf<ListBox>;
template class HeadlessListOf<DropDownList>;

std::vector<std::wstring> HeadlessListBox::ClipboardFiles() const {
    return Form().Toolkit().clipboardFiles;
}

void HeadlessListBox::TypeCharacter(wchar_t character) {
    typeAhead_.Type(character, Form().Toolkit().Clock(), *this);
}

}  // namespace ui
