#include "ui/win32/RowIcons.h"

#include <algorithm>

#include "platform/win32/IconFetcher.h"
#include "ui/win32/RowIconStore.h"

namespace ui {

RowIcons::~RowIcons() { Leave(); }

void RowIcons::Attach(HWND list) {
    Leave();
    ClearRows();
    list_ = list;
}

void RowIcons::SetTargets(const std::vector<platform::ShellTarget>& targets) {
    SetTargets(std::vector<platform::ShellTarget>(targets));
}

void RowIcons::SetTargets(std::vector<platform::ShellTarget>&& targets) {
    enabled_ = true;
    targets_ = std::move(targets);
    rows_.assign(targets_.size(), Row{});
}

void RowIcons::ClearRows() {
    targets_.clear();
    rows_.clear();
}

bool RowIcons::SetSize(int size) {
    if (size == size_) return false;
    size_ = size;
    Leave();
    ForgetIcons();
    return true;
}

int RowIcons::Icon(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return -1;
    return rows_[static_cast<size_t>(row)].icon;
}

int RowIcons::DrawnRowIcon(int row, int page) {
    const int rows = static_cast<int>(rows_.size());
    if (row < 0 || row >= rows || !list_) return -1;
    if (!joinedSize_) {
        images_ = RowIconStore::Get().Join(size_, *this);
        joinedSize_ = size_;
    }
    Ask(row, true);
    if (rows_[static_cast<size_t>(row)].icon < 0) {
        for (int below = row + 1; below <= row + page && below < rows; ++below) Ask(below, false);
    }
    return rows_[static_cast<size_t>(row)].icon;
}

void RowIcons::IconsArrived(const std::vector<std::pair<int, int>>& icons) {
    std::vector<int> arrived;
    for (size_t row = 0; row < rows_.size(); ++row) {
        Row& waiting = rows_[row];
        if (waiting.asked == Asked::No || waiting.icon >= 0) continue;
        auto icon = std::find_if(icons.begin(), icons.end(),
                                 [&](const auto& i) { return i.first == waiting.target; });
        if (icon == icons.end()) continue;
        waiting.icon = icon->second;
        arrived.push_back(static_cast<int>(row));
    }
    RedrawRows(arrived);
}

// The row's target is numbered and its icon looked for only now, when the row is first wanted.
void RowIcons::Ask(int row, bool urgent) {
    Row& wanted = rows_[static_cast<size_t>(row)];
    if (wanted.icon >= 0 || wanted.asked == Asked::Urgently ||
        (wanted.asked == Asked::Ahead && !urgent)) {
        return;
    }
    if (wanted.target < 0) wanted.target = platform::IconTarget(targets_[static_cast<size_t>(row)]);
    RowIconStore& store = RowIconStore::Get();
    if (wanted.asked == Asked::No) {
        wanted.icon = store.Find(size_, wanted.target);
        if (wanted.icon >= 0) return;
    }
    wanted.asked = urgent ? Asked::Urgently : Asked::Ahead;
    store.Ask(size_, wanted.target, urgent);
}

void RowIcons::ForgetIcons() {
    for (Row& row : rows_) row = {row.target, -1, Asked::No};
}

void RowIcons::Leave() {
    if (joinedSize_) RowIconStore::Get().Leave(joinedSize_, *this);
    joinedSize_ = 0;
    images_ = nullptr;
}

// Only the rows on screen: the others are drawn when scrolled to.
void RowIcons::RedrawRows(const std::vector<int>& rows) const {
    if (!list_ || rows.empty()) return;
    const auto top = SendMessageW(list_, LB_GETTOPINDEX, 0, 0);
    RECT client{};
    GetClientRect(list_, &client);
    for (int row : rows) {
        RECT rect{};
        if (row < top || SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(row),
                                      reinterpret_cast<LPARAM>(&rect)) == LB_ERR) {
            continue;
        }
        if (rect.top < client.bottom) InvalidateRect(list_, &rect, FALSE);
    }
}

}  // namespace ui
