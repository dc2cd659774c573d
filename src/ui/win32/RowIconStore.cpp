#include "ui/win32/RowIconStore.h"

#include <algorithm>

#include "platform/win32/IconFetcher.h"
#include "platform/win32/MessageWindow.h"
#include "platform/win32/PrivateMessages.h"
#include "ui/win32/RowIcons.h"

namespace ui {

namespace {

constexpr wchar_t kWindowClass[] = L"ShowLarkspur.RowIcons";
// Images made room for at once, and added at each growth.
constexpr int kFirstImages = 32;
constexpr int kMoreImages = 64;

// Never freed: the process's lists use it until the end.
RowIconStore* store = nullptr;

}  // namespace

RowIconStore& RowIconStore::Get() {
    if (!store) store = new RowIconStore;
    return *store;
}

RowIconStore::Images* RowIconStore::Sized(int size) {
    auto images = std::find_if(sizes_.begin(), sizes_.end(),
                               [size](const Images& i) { return i.size == size; });
    return images == sizes_.end() ? nullptr : &*images;
}

HIMAGELIST RowIconStore::Join(int size, RowIcons& list) {
    Images* images = Sized(size);
    if (!images) {
        HIMAGELIST made =
            ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, kFirstImages, kMoreImages);
        images = &sizes_.emplace_back(Images{size, made, {}, {}});
    }
    images->lists.push_back(&list);
    return images->list;
}

void RowIconStore::Leave(int size, RowIcons& list) {
    Images* images = Sized(size);
    if (!images) return;
    std::erase(images->lists, &list);
    if (!images->lists.empty()) return;
    if (images->list) ImageList_Destroy(images->list);
    sizes_.erase(sizes_.begin() + (images - sizes_.data()));
}

int RowIconStore::Find(int size, int target) {
    const Images* images = Sized(size);
    if (!images || target >= static_cast<int>(images->indexOfTarget.size())) return -1;
    return images->indexOfTarget[static_cast<size_t>(target)];
}

void RowIconStore::Ask(int size, int target, bool urgent) {
    if (!window_) {
        window_ = platform::MakeMessageWindow(kWindowClass, WindowProc);
        if (!window_) return;  // rows without icons rather than none at all
    }
    platform::RequestIcon(window_, target, size, urgent);
}

// Each arriving icon is copied into the images of its size and destroyed at once.
void RowIconStore::TakeArrived() {
    const std::vector<platform::FetchedIcon> fetched = platform::TakeFetchedIcons();
    for (Images& images : sizes_) {
        std::vector<std::pair<int, int>> added;  // target, index
        for (const platform::FetchedIcon& icon : fetched) {
            if (icon.size != images.size) continue;
            std::vector<int>& indexes = images.indexOfTarget;
            if (icon.target >= static_cast<int>(indexes.size())) {
                indexes.resize(static_cast<size_t>(icon.target) + 1, -1);
            }
            int& index = indexes[static_cast<size_t>(icon.target)];
            if (index >= 0) continue;  // fetched twice: kept once
            index = ImageList_ReplaceIcon(images.list, -1, icon.icon);
            if (index >= 0) added.emplace_back(icon.target, index);
        }
        if (added.empty()) continue;
        for (RowIcons* list : images.lists) list->IconsArrived(added);
    }
    for (const platform::FetchedIcon& icon : fetched) DestroyIcon(icon.icon);
}

LRESULT CALLBACK RowIconStore::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case platform::kMsgStartIconWorkers:
            platform::StartIconWorkers();
            return 0;
        case platform::kMsgIconsArrived:
            Get().TakeArrived();
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace ui
