#include "platform/win32/WindowIcons.h"

#include "platform/win32/Dpi.h"

namespace platform {

namespace {

constexpr wchar_t kBigIconProperty[] = L"ShowLarkspur.BigIcon";
constexpr wchar_t kSmallIconProperty[] = L"ShowLarkspur.SmallIcon";
constexpr wchar_t kIconGroupProperty[] = L"ShowLarkspur.IconGroup";

HICON LoadIconOfSize(const std::wstring& resourceName, int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), resourceName.c_str(),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

void ReplaceIcon(HWND window, const wchar_t* property, WPARAM which, HICON icon) {
    SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    auto previous = static_cast<HICON>(GetPropW(window, property));
    if (icon) {
        SetPropW(window, property, icon);
    } else {
        RemovePropW(window, property);
    }
    if (previous && previous != icon) DestroyIcon(previous);
}

bool LoadIcons(HWND window, const std::wstring& resourceName, int dpi) {
    HICON big = LoadIconOfSize(resourceName, SystemMetricForDpi(SM_CXICON, dpi));
    HICON smallIcon = LoadIconOfSize(resourceName, SystemMetricForDpi(SM_CXSMICON, dpi));
    if (!big || !smallIcon) {
        if (big) DestroyIcon(big);
        if (smallIcon) DestroyIcon(smallIcon);
        return false;
    }
    // The small one first: under Wine each WM_SETICON hands both icons to the X server, the one
    // not given yet as a stand-in, and the small stand-in made from a big icon costs the most.
    ReplaceIcon(window, kSmallIconProperty, ICON_SMALL, smallIcon);
    ReplaceIcon(window, kBigIconProperty, ICON_BIG, big);
    return true;
}

// The name of the icon group a window shows, empty after its icons were cleared.
std::wstring* IconGroupOf(HWND window) {
    return static_cast<std::wstring*>(GetPropW(window, kIconGroupProperty));
}

void KeepIcons(HWND window, const std::wstring& resourceName) {
    if (std::wstring* group = IconGroupOf(window)) {
        *group = resourceName;
        return;
    }
    SetPropW(window, kIconGroupProperty, new std::wstring(resourceName));
}

}  // namespace

bool SetWindowIcons(HWND window, const std::wstring& resourceName) {
    if (!IsWindow(window)) return false;
    if (IsMessageOnlyWindow(window)) {
        if (!FindResourceW(GetModuleHandleW(nullptr), resourceName.c_str(), RT_GROUP_ICON)) {
            return false;
        }
    } else if (!LoadIcons(window, resourceName, WindowDpi(window))) {
        return false;
    }
    KeepIcons(window, resourceName);
    return true;
}

void LoadKeptIcons(HWND window) { ReloadWindowIcons(window, WindowDpi(window)); }

void ReloadWindowIcons(HWND window, int dpi) {
    if (std::wstring* group = IconGroupOf(window); group && !group->empty()) {
        LoadIcons(window, *group, dpi);
    }
}

void ReleaseWindowIcons(HWND window) {
    ClearWindowIcons(window);
    delete IconGroupOf(window);
    RemovePropW(window, kIconGroupProperty);
}

bool IsMessageOnlyWindow(HWND window) {
    return !(GetWindowLongPtrW(window, GWL_STYLE) & WS_CHILD) &&
           GetAncestor(window, GA_PARENT) != GetDesktopWindow();
}

void ClearWindowIcons(HWND window) {
    ReplaceIcon(window, kBigIconProperty, ICON_BIG, nullptr);
    ReplaceIcon(window, kSmallIconProperty, ICON_SMALL, nullptr);
    if (std::wstring* group = IconGroupOf(window)) group->clear();  // nothing to reload
}

}  // namespace platform
