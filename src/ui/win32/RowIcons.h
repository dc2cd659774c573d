#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <vector>

#include "platform/shell/ShellTarget.h"

namespace ui {

// The icons of a list's rows: each row's target as given, and what each row drawn shows, from
// the process's store (RowIconStore), so that rows of any list with the same target share one
// icon and a list made again shows those fetched before at once. Nothing is worked out or
// fetched before a row is drawn, that is before the list is on screen; only the rows drawn and
// the page below them are fetched, drawn rows first: a thousand icons fetched for rows nobody
// looks at would keep the processor and the disk busy at every start for nothing.
class RowIcons {
public:
    ~RowIcons();

    // The list's new window, whose rows are redrawn as their icons arrive. Drops the rows.
    void Attach(HWND list);
    // Whether the rows show icons: once targets have been given.
    bool Enabled() const { return enabled_; }
    void SetTargets(const std::vector<platform::ShellTarget>& targets);
    void SetTargets(std::vector<platform::ShellTarget>&& targets);
    void ClearRows();
    int Size() const { return size_; }
    // Icons of another size (a DPI change): the rows fetch theirs again. False when the size was
    // already that.
    bool SetSize(int size);
    // What the rows' icons are drawn from; null before a row has been drawn.
    HIMAGELIST Images() const { return images_; }
    // The row's icon in Images(), or -1 while it has not arrived.
    int Icon(int row) const;
    // The row is being drawn: its icon, else -1 after asking for it ahead of the rows not drawn
    // yet, and for the `page` rows after it, so that scrolling down finds theirs.
    int DrawnRowIcon(int row, int page);
    // Icons of this list's size arrived in the store (target and index): redraws the rows shown
    // that wait for them.
    void IconsArrived(const std::vector<std::pair<int, int>>& icons);

private:
    enum class Asked : unsigned char { No, Ahead, Urgently };
    struct Row {
        int target = -1;  // the fetcher's number, once the row has been wanted
        int icon = -1;
        Asked asked = Asked::No;
    };
    void Ask(int row, bool urgent);
    void ForgetIcons();
    void Leave();
    void RedrawRows(const std::vector<int>& rows) const;

    HWND list_ = nullptr;
    bool enabled_ = false;
    int size_ = 16;
    int joinedSize_ = 0;  // the size whose images this list holds in the store; 0: none
    HIMAGELIST images_ = nullptr;
    std::vector<platform::ShellTarget> targets_;
    std::vector<Row> rows_;
};

}  // namespace ui
