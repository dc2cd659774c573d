#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <vector>

#include "platform/shell/ShellTarget.h"

namespace ui {

class RowIcons;

// The rows' icons of every list of the process: one image list per icon size, each target's icon
// fetched once and kept once, whichever list, window or DPI asked for it, and drawn by its index.
// An image list goes when the last list of its size lets it go. A thousand icons so cost a few
// bitmaps instead of three GDI objects each per list. Targets are known by the fetcher's numbers
// (platform::IconTarget). Used on the user-interface thread.
class RowIconStore {
public:
    // The process's store.
    static RowIconStore& Get();

    // The list draws icons of that size: their images, kept until it leaves.
    HIMAGELIST Join(int size, RowIcons& list);
    void Leave(int size, RowIcons& list);
    // The index of the target's icon in the images of that size, or -1.
    int Find(int size, int target);
    // Fetches the icon; the lists of its size hear of it when it has arrived.
    void Ask(int size, int target, bool urgent);
    // Whether an icon has been asked for yet.
    bool Asked() const { return window_ != nullptr; }

private:
    struct Images {
        int size;
        HIMAGELIST list;
        std::vector<int> indexOfTarget;  // -1: not there
        std::vector<RowIcons*> lists;
    };
    Images* Sized(int size);
    void TakeArrived();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;  // message-only: the fetcher's messages come here
    std::vector<Images> sizes_;
};

}  // namespace ui
