#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/WindowHandle.h"
#include "platform/shell/ShellTarget.h"

// The controls the forms are written against. Geometry is in twips (1/1440 inch); each
// implementation turns it into pixels at the window's DPI. Two implementations: ui/win32 (real
// windows) and ui/headless (state only, driven by tests).
namespace ui {

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// Key handler: the key's virtual-key code, which the handler sets to 0 to consume the key, and
// the modifier mask (platform::kShiftMask | kCtrlMask | kAltMask).
using KeyHandler = std::function<void(int& keyCode, int shift)>;

class Control {
public:
    virtual ~Control() = default;
    virtual platform::WindowHandle hWnd() const = 0;
    virtual TwipsRect Bounds() const = 0;
    // Throws std::invalid_argument for a negative width or height, leaving the control as it was.
    virtual void Move(const TwipsRect& bounds) = 0;
    virtual void SetFocus() = 0;

    std::function<void()> GotFocus;
    KeyHandler KeyDown;
};

class Label : public Control {
public:
    virtual std::wstring Caption() const = 0;
    virtual void SetCaption(const std::wstring& caption) = 0;
};

class Button : public Control {
public:
    virtual std::wstring Caption() const = 0;
    std::function<void()> Click;
};

class TextBox : public Control {
public:
    virtual std::wstring Text() const = 0;
    virtual void SetText(const std::wstring& text) = 0;
};

// The rows of a list box or of a drop-down list.
class ListControl : public Control {
public:
    virtual void AddItem(const std::wstring& text) = 0;
    // Adds the rows in order, as AddItem would one by one.
    virtual void AddItems(const std::vector<std::wstring>& texts) = 0;
    virtual void Clear() = 0;
    virtual int ListCount() const = 0;
    virtual std::wstring List(int index) const = 0;
    // The selected row, or -1.
    virtual int ListIndex() const = 0;
    // Selects a row (-1: none). Throws std::out_of_range for a row that does not exist.
    virtual void SetListIndex(int index) = 0;
};

// A list box also finds a row by typing its title (ui/TypeAhead.h).
class ListBox : public ListControl {
public:
    // Shows left of each row the icon of what it starts (targets[i] for row i; a row beyond the
    // targets keeps the icon's room, empty), fetched in the background once the list is on
    // screen; until then, and without this call, no icons. Clear removes the targets with the
    // rows.
    virtual void SetRowTargets(const std::vector<platform::ShellTarget>& targets) = 0;

    // The files the clipboard holds after a copy (or a cut) in the shell, in order; none when
    // it holds no files.
    virtual std::vector<std::wstring> ClipboardFiles() const = 0;

    std::function<void()> DblClick;
    // Files and folders dropped from the shell onto the list's form, in the order given, with
    // the row they were dropped on: ListCount() below the last row or off the list. Set before
    // the form loads, it makes the form take drops.
    std::function<void(const std::vector<std::wstring>& files, int row)> FilesDropped;
};

// A drop-down list that accepts only a choice from its rows.
class DropDownList : public ListControl {};

// A rectangle filled with the system's button-face colour, drawn on the form behind the controls.
class Shape : public Control {};

}  // namespace ui
