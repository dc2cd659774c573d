#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/headless/HeadlessDesktop.h"
#include "ui/Controls.h"
#include "ui/Form.h"
#include "ui/TypeAhead.h"

namespace ui {

class HeadlessForm;

struct KeyPress {
    int keyCode = 0;
    int shift = 0;
    bool operator==(const KeyPress&) const = default;
};

// What every headless control shares: its form, its design, its place, and its part of the
// headless desktop (a handle, a screen rectangle, the focus).
class HeadlessControl : public platform::HeadlessWindow {
public:
    HeadlessControl(HeadlessForm& form, const ControlSpec& spec);

    HeadlessForm& Form() const { return form_; }
    const ControlSpec& Spec() const { return spec_; }
    const std::wstring& Name() const { return spec_.name; }
    virtual Control& AsControl() = 0;
    // Whether the control has a place in the tab order and can take the focus.
    virtual bool TakesFocus() const = 0;
    bool HasFocus() const;

    TwipsRect CurrentBounds() const { return bounds_; }
    void MoveTo(const TwipsRect& bounds);

    // The control's own handling of a key that every handler let through: a list moves its
    // selection. Every such key is recorded.
    virtual void HandleOwnKey(int keyCode, int shift) { receivedKeys_.push_back({keyCode, shift}); }
    const std::vector<KeyPress>& ReceivedKeys() const { return receivedKeys_; }
    // Back to the state of a freshly created window: the design text, no rows, no selection.
    virtual void ResetToDesign();

    platform::PixelRect ScreenRect() const override;
    void SetScreenRect(const platform::PixelRect& rect) override;
    int Dpi() const override;
    void TakeFocus() override;
    void BringToForeground() override;

private:
    HeadlessForm& form_;
    ControlSpec spec_;
    TwipsRect bounds_;
    std::vector<KeyPress> receivedKeys_;
};

// Implements a control interface of ui/Controls.h on the shared headless state.
template <class Interface>
class HeadlessControlOf : public Interface, public HeadlessControl {
public:
    HeadlessControlOf(HeadlessForm& form, const ControlSpec& spec) : HeadlessControl(form, spec) {}

    platform::WindowHandle hWnd() const override { return Handle(); }
    TwipsRect Bounds() const override { return CurrentBounds(); }
    void Move(const TwipsRect& bounds) override { MoveTo(bounds); }
    void SetFocus() override { TakeFocus(); }
    Control& AsControl() override { return *this; }
};

class HeadlessLabel : public HeadlessControlOf<Label> {
public:
    HeadlessLabel(HeadlessForm& form, const ControlSpec& spec);
    std::wstring Caption() const override { return caption_; }
    void SetCaption(const std::wstring& caption) override { caption_ = caption; }
    bool TakesFocus() const override { return false; }
    std::wstring WindowText() const override { return caption_; }
    void ChangeWindowText(const std::wstring& text) override { caption_ = text; }
    void ResetToDesign() override;

private:
    std::wstring caption_;
};

class HeadlessButton : public HeadlessControlOf<Button> {
public:
    using HeadlessControlOf::HeadlessControlOf;
    std::wstring Caption() const override { return Spec().caption; }
    bool TakesFocus() const override { return true; }
    std::wstring WindowText() const override { return Spec().caption; }
    void ChangeWindowText(const std::wstring& text) override { FailUnsupported("SetText"); }
    // A press runs the Click handler, as a click or BM_CLICK does.
    void Press() override;
};

class HeadlessTextBox : public HeadlessControlOf<TextBox> {
public:
    HeadlessTextBox(HeadlessForm& form, const ControlSpec& spec);
    std::wstring Text() const override { return text_; }
    // As WM_SETTEXT: the caret goes to the start, nothing selected.
    void SetText(const std::wstring& text) override;
    bool TakesFocus() const override { return true; }
    std::wstring WindowText() const override { return text_; }
    void ChangeWindowText(const std::wstring& text) override { SetText(text); }
    void SelectAllText() override;
    void ResetToDesign() override;

    size_t SelStart() const { return selStart_; }
    size_t SelLength() const { return selLength_; }
    std::wstring SelectedText() const { return text_.substr(selStart_, selLength_); }
    // What typing does: the selection is replaced and the caret follows the typed text.
    void ReplaceSelection(const std::wstring& typed);

private:
    std::wstring text_;
    size_t selStart_ = 0;
    size_t selLength_ = 0;
};

// The rows and the selection of a list box or a drop-down list.
template <class Interface>
class HeadlessListOf : public HeadlessControlOf<Interface> {
public:
    using HeadlessControlOf<Interface>::HeadlessControlOf;

    void AddItem(const std::wstring& text) override { rows_.push_back(text); }
    void AddItems(const std::vector<std::wstring>& texts) override {
        rows_.insert(rows_.end(), texts.begin(), texts.end());
    }
    void Clear() override {
        rows_.clear();
        index_ = -1;
    }
    int ListCount() const override { return static_cast<int>(rows_.size()); }
    std::wstring List(int index) const override { return rows_.at(CheckedRow(index)); }
    int ListIndex() const override { return index_; }
    void SetListIndex(int index) override {
        if (index != -1) CheckedRow(index);
        index_ = index;
    }
    bool TakesFocus() const override { return true; }
    const std::vector<std::wstring>& Rows() const { return rows_; }

    // Up, Down, Home and End move the selection, whatever the modifiers; the key is recorded.
    void HandleOwnKey(int keyCode, int shift) override;
    void ResetToDesign() override {
        HeadlessControl::ResetToDesign();
        Clear();
    }

private:
    size_t CheckedRow(int index) const;

    std::vector<std::wstring> rows_;
    int index_ = -1;
};

class HeadlessListBox : public HeadlessListOf<ListBox> {
public:
    using HeadlessListOf::HeadlessListOf;
    std::wstring WindowText() const override { return L""; }
    void ChangeWindowText(const std::wstring& text) override { FailUnsupported("SetText"); }
    void Clear() override {
        HeadlessListOf::Clear();
        rowTargets_.clear();
    }
    void SetRowTargets(const std::vector<platform::ShellTarget>& targets) override {
        rowTargets_ = targets;
        showsIcons_ = true;
    }
    // What the rows' icons would show, and whether the list shows icons at all.
    const std::vector<platform::ShellTarget>& RowTargets() const { return rowTargets_; }
    bool ShowsIcons() const { return showsIcons_; }
    // The toolkit's clipboard.
    std::vector<std::wstring> ClipboardFiles() const override;
    // A character typed into the list at the toolkit's clock: the row it leads to is selected.
    void TypeCharacter(wchar_t character);

private:
    std::vector<platform::ShellTarget> rowTargets_;
    bool showsIcons_ = false;
    TypeAhead typeAhead_;
};

class HeadlessDropDownList : public HeadlessListOf<DropDownList> {
public:
    using HeadlessListOf::HeadlessListOf;
    // As a drop-down list's window text: the selected row's text.
    std::wstring WindowText() const override {
        return ListIndex() < 0 ? std::wstring() : List(ListIndex());
    }
    void ChangeWindowText(const std::wstring& text) override { FailUnsupported("SetText"); }
};

class HeadlessShape : public HeadlessControlOf<Shape> {
public:
    using HeadlessControlOf::HeadlessControlOf;
    bool TakesFocus() const override { return false; }
    std::wstring WindowText() const override { return L""; }
    void ChangeWindowText(const std::wstring& text) override { FailUnsupported("SetText"); }
};

}  // namespace ui
