#include "ui/win32/Win32Controls.h"

#include <algorithm>
#include <utility>

#include "platform/win32/Dpi.h"
#include "platform/win32/IdleTasks.h"
#include "platform/win32/PrivateMessages.h"
#include "platform/win32/WindowText.h"
#include "ui/win32/RowDrawing.h"
#include "ui/win32/RowIconStore.h"
#include "ui/win32/Twips.h"
#include "ui/win32/Win32Form.h"

namespace ui {

namespace {

const ListMessages kListBoxMessages{LB_ADDSTRING, LB_INITSTORAGE, LB_RESETCONTENT,
                                    LB_GETCOUNT,  LB_GETTEXTLEN,  LB_GETTEXT,
                                    LB_GETCURSEL, LB_SETCURSEL};
const ListMessages kComboBoxMessages{CB_ADDSTRING, CB_INITSTORAGE,  CB_RESETCONTENT,
                                     CB_GETCOUNT,  CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                     CB_GETCURSEL, CB_SETCURSEL};

// How many rows the drop-down list shows before it scrolls.
constexpr int kDroppedRows = 12;

}  // namespace

// Label

std::wstring Win32Label::Caption() const { return platform::WindowText(window_); }

void Win32Label::SetCaption(const std::wstring& caption) {
    if (!window_) return;
    SetWindowTextW(window_, caption.c_str());
    Place();
}

ChildControl::WindowKind Win32Label::Kind() const {
    return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
}

void Win32Label::Place() {
    if (spec_.autoSize) FitToText();
    ChildControl::Place();
}

// Half a character more than the text's extent: a renderer that places its glyphs at their
// fractional advances (Wine's does) draws the last one past the extent, and the label would cut
// it off ("Parameters" without its colon).
void Win32Label::FitToText() {
    if (!window_) return;
    std::wstring caption = Caption();
    HDC dc = GetDC(window_);
    HGDIOBJ previous = SelectObject(dc, form_.Font());
    RECT extent{};
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &extent,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
    TEXTMETRICW metrics{};
    if (!caption.empty() && GetTextMetricsW(dc, &metrics)) {
        extent.right += metrics.tmAveCharWidth / 2;
    }
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
    bounds_.width = PixelsToTwips(extent.right - extent.left, form_.Dpi());
    bounds_.height = PixelsToTwips(extent.bottom - extent.top, form_.Dpi());
}

// Button

std::wstring Win32Button::Caption() const { return platform::WindowText(window_); }

void Win32Button::Notify(int code) {
    if (code == BN_CLICKED) {
        form_.RunEvent(Click);
    } else if (code == BN_SETFOCUS) {
        RaiseGotFocus();
    }
}

void Win32Button::ShowAsDefault(bool isDefault) {
    if (!window_) return;
    bool shownAsDefault = (GetWindowLongPtrW(window_, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    if (shownAsDefault != isDefault) {
        Send(BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

ChildControl::WindowKind Win32Button::Kind() const {
    DWORD type = spec_.isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    return {L"BUTTON", WS_TABSTOP | BS_NOTIFY | type, 0};
}

// Text box

void Win32TextBox::CreateOn(HWND form) {
    ChildControl::CreateOn(form);
    Send(EM_SETLIMITTEXT, 0);  // no limit but the system's
}

std::wstring Win32TextBox::Text() const { return platform::WindowText(window_); }

void Win32TextBox::SetText(const std::wstring& text) {
    if (window_) SetWindowTextW(window_, text.c_str());
}

void Win32TextBox::Notify(int code) {
    if (code == EN_SETFOCUS) RaiseGotFocus();
}

ChildControl::WindowKind Win32TextBox::Kind() const {
    return {L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
}

// Lists

template <class Base>
std::wstring ListImpl<Base>::List(int index) const {
    auto length = this->Send(messages_.textLength, static_cast<WPARAM>(index));
    if (length < 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    auto copied = this->Send(messages_.text, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

// A thousand rows added one by one would redraw and grow the list a thousand times.
template <class Base>
void ListImpl<Base>::AddItems(const std::vector<std::wstring>& texts) {
    size_t characters = 0;
    for (const std::wstring& text : texts) characters += text.size() + 1;
    this->Send(messages_.initStorage, static_cast<WPARAM>(texts.size()),
               static_cast<LPARAM>(characters * sizeof(wchar_t)));
    this->Send(WM_SETREDRAW, FALSE);
    for (const std::wstring& text : texts) AddItem(text);
    this->Send(WM_SETREDRAW, TRUE);
    if (this->window_) InvalidateRect(this->window_, nullptr, TRUE);
}

template <class Base>
int ListImpl<Base>::ListIndex() const {
    if (!this->window_) return -1;
    auto index = this->Send(messages_.getSelection);
    return index < 0 ? -1 : static_cast<int>(index);
}

template <class Base>
void ListImpl<Base>::SetListIndex(int index) {
    if (index < -1 || index >= ListCount()) throw std::out_of_range("no such row in the list");
    this->Send(messages_.setSelection, static_cast<WPARAM>(index));
}

template class ListImpl<ListBox>;
template class ListImpl<DropDownList>;

Win32ListBox::Win32ListBox(Win32Form& form, const ControlSpec& spec, int id)
    : ListImpl(form, spec, id, kListBoxMessages) {}

void Win32ListBox::CreateOn(HWND form) {
    ListImpl::CreateOn(form);
    if (window_) StartTyping();
    icons_.Attach(window_);
    rowsToAsk_.clear();  // a former window's, whose task found it gone
}

void Win32ListBox::Notify(int code) {
    if (code == LBN_DBLCLK) {
        form_.RunEvent(DblClick);
    } else if (code == LBN_SETFOCUS) {
        RaiseGotFocus();
    }
}

void Win32ListBox::Clear() {
    ListImpl::Clear();
    icons_.ClearRows();
    rowsToAsk_.clear();
}

void Win32ListBox::SetRowTargets(const std::vector<platform::ShellTarget>& targets) {
    const bool wasEnabled = icons_.Enabled();
    icons_.SetTargets(targets);
    if (!wasEnabled) UpdateRowHeight();
    if (window_) InvalidateRect(window_, nullptr, TRUE);
}

bool Win32ListBox::ShowsIcon(int row) const { return icons_.Icon(row) >= 0; }

void Win32ListBox::MeasureItem(MEASUREITEMSTRUCT& item) {
    item.itemHeight = static_cast<UINT>(RowHeight(icons_.Enabled()));
}

void Win32ListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    const int row = static_cast<int>(item.itemID);
    const std::wstring text = row >= 0 ? List(row) : std::wstring();
    int icon = -1;
    if (icons_.Enabled() && item.itemAction != ODA_FOCUS) {
        if (RowIconStore::Get().Asked()) {
            icon = icons_.DrawnRowIcon(row, RowsOnPage());
        } else {
            AskWhenPainted(row);
        }
    }
    DrawListRow(item, text, icons_.Images(), icon, icons_.Enabled() ? icons_.Size() : 0,
                form_.Dpi());
}

// Until the process has asked for an icon, a row drawn without its own asks for it once the
// painting is over and no other message waits: the first ask makes the icons' images, window and
// timer, which held the menu window's first paint under Wine (startup_bench). The lists after
// it ask while they draw, so that the icons the process keeps show at once. The task finds the
// list through its window, which may have gone by then.
void Win32ListBox::AskWhenPainted(int row) {
    if (std::find(rowsToAsk_.begin(), rowsToAsk_.end(), row) != rowsToAsk_.end()) return;
    if (rowsToAsk_.empty()) {
        platform::RunWhenThreadIdle([window = window_] {
            if (IsWindow(window)) FromWindow(window)->AskForPaintedRows();
        });
    }
    rowsToAsk_.push_back(row);
}

void Win32ListBox::AskForPaintedRows() {
    const std::vector<int> rows = std::exchange(rowsToAsk_, {});
    const int page = RowsOnPage();
    bool found = false;  // kept already, for another list that asked first
    for (int row : rows) found = icons_.DrawnRowIcon(row, page) >= 0 || found;
    if (found) InvalidateRect(window_, nullptr, FALSE);
}

ChildControl::WindowKind Win32ListBox::Kind() const {
    return {L"LISTBOX",
            WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                LBS_HASSTRINGS,
            WS_EX_CLIENTEDGE};
}

void Win32ListBox::Place() {
    ListImpl::Place();
    UpdateRowHeight();
}

int Win32ListBox::RowsOnPage() const {
    RECT client{};
    GetClientRect(window_, &client);
    const auto height = Send(LB_GETITEMHEIGHT, 0);
    return height > 0 ? static_cast<int>(client.bottom / height) + 1 : 1;
}

// Measured once a DPI: each measure asks the system for a metric, or for a device context and
// the font's metrics, and the list is measured again at every step of the window's making.
int Win32ListBox::IconSize() {
    if (measuredDpi_ != form_.Dpi()) {
        measuredDpi_ = form_.Dpi();
        iconSize_ = platform::SystemMetricForDpi(SM_CXSMICON, measuredDpi_);
        rowHeights_ = {};
    }
    return iconSize_;
}

int Win32ListBox::RowHeight(bool withIcons) {
    const int iconSize = IconSize();
    int& height = rowHeights_[withIcons ? 1 : 0];
    if (height == 0) height = ListRowHeight(form_.Font(), withIcons ? iconSize : 0);
    return height;
}

void Win32ListBox::UpdateRowHeight() {
    if (!window_) return;
    bool changed = icons_.SetSize(IconSize());
    const int height = RowHeight(icons_.Enabled());
    if (Send(LB_GETITEMHEIGHT, 0) != height) {
        Send(LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
        changed = true;
    }
    if (changed) InvalidateRect(window_, nullptr, TRUE);
}

Win32DropDownList::Win32DropDownList(Win32Form& form, const ControlSpec& spec, int id)
    : ListImpl(form, spec, id, kComboBoxMessages) {}

void Win32DropDownList::Notify(int code) {
    if (code == CBN_SETFOCUS) RaiseGotFocus();
}

ChildControl::WindowKind Win32DropDownList::Kind() const {
    return {L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
}

RECT Win32DropDownList::PixelBounds() const {
    RECT rect = ChildControl::PixelBounds();
    auto rowHeight = Send(CB_GETITEMHEIGHT, 0);
    if (rowHeight <= 0) rowHeight = TwipsToPixels(bounds_.height, form_.Dpi());
    rect.bottom += kDroppedRows * static_cast<int>(rowHeight);
    return rect;
}

// Shape

void Win32Shape::CreateOn(HWND) { Place(); }

void Win32Shape::Paint(HDC dc) { FillRect(dc, &painted_, GetSysColorBrush(COLOR_BTNFACE)); }

void Win32Shape::Place() {
    form_.InvalidatePixels(painted_);
    painted_ = PixelBounds();
    form_.InvalidatePixels(painted_);
}

}  // namespace ui
