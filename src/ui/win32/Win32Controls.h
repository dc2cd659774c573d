#pragma once

#include <array>

#include "ui/TypeAhead.h"
#include "ui/win32/ChildControl.h"
#include "ui/win32/RowIcons.h"

namespace ui {

class Win32Label : public ControlImpl<Label> {
public:
    using ControlImpl::ControlImpl;
    std::wstring Caption() const override;
    void SetCaption(const std::wstring& caption) override;

protected:
    WindowKind Kind() const override;
    void Place() override;

private:
    void FitToText();
};

class Win32Button : public ControlImpl<Button> {
public:
    using ControlImpl::ControlImpl;
    std::wstring Caption() const override;
    void Notify(int code) override;
    // Shows the button as the one Enter presses, or not.
    void ShowAsDefault(bool isDefault);

protected:
    WindowKind Kind() const override;
};

class Win32TextBox : public ControlImpl<TextBox> {
public:
    using ControlImpl::ControlImpl;
    void CreateOn(HWND form) override;
    std::wstring Text() const override;
    void SetText(const std::wstring& text) override;
    void Notify(int code) override;

protected:
    WindowKind Kind() const override;
};

// The messages of a list box or of a combo box's list.
struct ListMessages {
    UINT add;
    UINT initStorage;
    UINT reset;
    UINT count;
    UINT textLength;
    UINT text;
    UINT getSelection;
    UINT setSelection;
};

template <class Base>
class ListImpl : public ControlImpl<Base> {
public:
    ListImpl(Win32Form& form, const ControlSpec& spec, int id, const ListMessages& messages)
        : ControlImpl<Base>(form, spec, id), messages_(messages) {}

    void AddItem(const std::wstring& text) override {
        this->Send(messages_.add, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    void AddItems(const std::vector<std::wstring>& texts) override;
    void Clear() override { this->Send(messages_.reset); }
    int ListCount() const override { return static_cast<int>(this->Send(messages_.count)); }
    std::wstring List(int index) const override;
    int ListIndex() const override;
    void SetListIndex(int index) override;

private:
    const ListMessages& messages_;
};

extern template class ListImpl<ListBox>;
extern template class ListImpl<DropDownList>;

// Owner-drawn, with its rows' texts kept, to show an icon left of each.
class Win32ListBox : public ListImpl<ListBox> {
public:
    Win32ListBox(Win32Form& form, const ControlSpec& spec, int id);
    void CreateOn(HWND form) override;
    void Notify(int code) override;
    void Clear() override;
    void SetRowTargets(const std::vector<platform::ShellTarget>& targets) override;
    void MeasureItem(MEASUREITEMSTRUCT& item) override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;
    // Whether the row shows its icon now.
    bool ShowsIcon(int row) const;
    std::vector<std::wstring> ClipboardFiles() const override;
    // Files the shell dropped on the form at `point`, in the form's client coordinates.
    void TakeDrop(const std::vector<std::wstring>& files, POINT point);

protected:
    WindowKind Kind() const override;
    // The icons' size and the rows' height follow the DPI.
    void Place() override;

private:
    // Typing: ListBoxInput.cpp.
    void StartTyping();
    static LRESULT CALLBACK TypingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static Win32ListBox* FromWindow(HWND window);
    int RowAt(POINT point) const;
    // Icons.
    int IconSize();
    int RowHeight(bool withIcons);
    int RowsOnPage() const;
    void UpdateRowHeight();
    void AskWhenPainted(int row);
    void AskForPaintedRows();

    TypeAhead typeAhead_;
    WNDPROC listProc_ = nullptr;  // the list box's own window procedure
    RowIcons icons_;
    std::vector<int> rowsToAsk_;  // drawn without their icons, in the order drawn
    int measuredDpi_ = 0;
    int iconSize_ = 0;
    std::array<int, 2> rowHeights_{};  // without and with icons; 0 until measured
};

class Win32DropDownList : public ListImpl<DropDownList> {
public:
    Win32DropDownList(Win32Form& form, const ControlSpec& spec, int id);
    void Notify(int code) override;

protected:
    WindowKind Kind() const override;
    // The window's height includes the list that drops down.
    RECT PixelBounds() const override;
};

// Drawn by the form on its own surface: no window.
class Win32Shape : public ControlImpl<Shape> {
public:
    using ControlImpl::ControlImpl;
    void CreateOn(HWND form) override;
    void Paint(HDC dc) override;

protected:
    void Place() override;

private:
    RECT painted_{};
};

}  // namespace ui
