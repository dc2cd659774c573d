#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/shell/ShellTarget.h"
#include "platform/win32/IconFetcher.h"

namespace ui {

// The icons of a list's rows: each row's target, the icons fetched so far (kept per target, so
// rows rebuilt with the same targets show theirs at once), and the fetcher, made when the first
// row is drawn, so nothing is fetched before the list is on screen. Only the rows drawn and the
// page below them are fetched, drawn rows first: a thousand icons fetched for rows nobody looks
// at would keep the processor and the disk busy at every start for nothing.
class RowIcons {
public:
    ~RowIcons();

    // The list's new window: its form, to which the fetcher posts kMsgRowIconsArrived with the
    // list's control identifier. Drops every icon and the fetch under way.
    void Attach(HWND form, int controlId);
    // Whether the rows show icons: once targets have been given.
    bool Enabled() const { return enabled_; }
    void SetTargets(const std::vector<platform::ShellTarget>& targets);
    void ClearRows();
    int Size() const { return size_; }
    // Icons of another size (a DPI change): those fetched so far are dropped. False when the
    // size was already that.
    bool SetSize(int size);
    // The row's icon, or null while it has not arrived.
    HICON Icon(int row) const;
    // The row is on screen without its icon: asks for it ahead of the rows not drawn yet, and
    // for the `page` rows after it, so that scrolling down finds theirs.
    void AskForDrawnRow(int row, int page);
    // Takes the icons that arrived (a message with another cookie is a former fetcher's and
    // brings nothing) and gives the rows that show them.
    std::vector<int> TakeArrived(WPARAM cookie);

private:
    struct Entry {
        platform::ShellTarget target;
        HICON icon = nullptr;
        bool asked = false;
    };
    void Ask(int entry, bool urgent);
    void DropIcons();

    HWND form_ = nullptr;
    int controlId_ = 0;
    bool enabled_ = false;
    int size_ = 16;
    std::vector<Entry> entries_;
    std::map<std::wstring, int> entryOfTarget_;
    std::vector<int> rowEntries_;
    std::unique_ptr<platform::IconFetcher> fetcher_;
    WPARAM cookie_ = 0;
};

}  // namespace ui
