#include "ui/win32/RowIcons.h"

#include "platform/win32/PrivateMessages.h"

namespace ui {

namespace {

std::wstring KeyOf(const platform::ShellTarget& target) {
    return target.fileName + L'\n' + target.directory + L'\n' + target.menuFolder;
}

// Each fetcher's messages carry a number of their own, so that a message still on its way when
// its list went cannot be taken for another's.
WPARAM NextCookie() {
    static WPARAM last = 0;
    return ++last;
}

}  // namespace

RowIcons::~RowIcons() { DropIcons(); }

void RowIcons::Attach(HWND form, int controlId) {
    DropIcons();
    rowEntries_.clear();
    form_ = form;
    controlId_ = controlId;
}

void RowIcons::SetTargets(const std::vector<platform::ShellTarget>& targets) {
    enabled_ = true;
    rowEntries_.clear();
    for (const platform::ShellTarget& target : targets) {
        auto [found, added] = entryOfTarget_.try_emplace(KeyOf(target), static_cast<int>(entries_.size()));
        if (added) entries_.push_back({target});
        rowEntries_.push_back(found->second);
    }
}

void RowIcons::ClearRows() { rowEntries_.clear(); }

bool RowIcons::SetSize(int size) {
    if (size == size_) return false;
    size_ = size;
    DropIcons();
    return true;
}

HICON RowIcons::Icon(int row) const {
    if (row < 0 || row >= static_cast<int>(rowEntries_.size())) return nullptr;
    return entries_[static_cast<size_t>(rowEntries_[static_cast<size_t>(row)])].icon;
}

void RowIcons::AskForDrawnRow(int row, int page) {
    const int rows = static_cast<int>(rowEntries_.size());
    if (row < 0 || row >= rows || !form_) return;
    Ask(rowEntries_[static_cast<size_t>(row)], true);
    for (int below = row + 1; below <= row + page && below < rows; ++below) {
        Ask(rowEntries_[static_cast<size_t>(below)], false);
    }
}

std::vector<int> RowIcons::TakeArrived(WPARAM cookie) {
    if (!fetcher_ || cookie != cookie_) return {};
    std::vector<int> rows;
    for (const auto& [entry, icon] : fetcher_->TakeArrived()) {
        Entry& arrived = entries_[static_cast<size_t>(entry)];
        if (arrived.icon) DestroyIcon(arrived.icon);
        arrived.icon = icon;
        for (size_t row = 0; row < rowEntries_.size(); ++row) {
            if (rowEntries_[row] == entry) rows.push_back(static_cast<int>(row));
        }
    }
    return rows;
}

void RowIcons::Ask(int entry, bool urgent) {
    Entry& wanted = entries_[static_cast<size_t>(entry)];
    if (wanted.icon || (wanted.asked && !urgent)) return;
    if (!fetcher_) {
        cookie_ = NextCookie();
        fetcher_ = std::make_unique<platform::IconFetcher>(form_, platform::kMsgRowIconsArrived,
                                                           cookie_, controlId_);
    }
    wanted.asked = true;
    fetcher_->Request(entry, wanted.target, size_, urgent);
}

void RowIcons::DropIcons() {
    fetcher_.reset();
    for (Entry& entry : entries_) {
        if (entry.icon) DestroyIcon(entry.icon);
        entry.icon = nullptr;
        entry.asked = false;
    }
}

}  // namespace ui
