#include "Win32Fixture.h"

#include <shlobj.h>

#include <algorithm>

namespace testsupport {

HGLOBAL MakeDrop(const std::vector<std::wstring>& files, POINT point) {
    size_t characters = 1;
    for (const std::wstring& file : files) characters += file.size() + 1;
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->pt = point;
    drop->fWide = TRUE;
    auto* out = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& file : files) out = std::copy(file.begin(), file.end(), out) + 1;
    GlobalUnlock(memory);
    return memory;
}

// As start-up does before it makes any window.
Win32Test::Win32Test() { toolkit.InitCommonControls(); }

Win32Test::~Win32Test() {
    HoldKeys(false, false, false);
    Pump();
}

std::unique_ptr<ui::Form> Win32Test::MakeForm(ui::FormStyle style, int clientWidth,
                                              int clientHeight, bool keyPreview) {
    ui::FormSpec spec;
    spec.name = L"frmTest";
    spec.caption = L"Проверка";
    spec.clientWidth = clientWidth;
    spec.clientHeight = clientHeight;
    spec.style = style;
    spec.keyPreview = keyPreview;
    return toolkit.CreateForm(spec);
}

void Win32Test::PostKey(HWND window, int virtualKey) {
    bool alt = GetKeyState(VK_MENU) < 0;
    LPARAM flags = 1 | (alt ? (1 << 29) : 0);
    PostMessageW(window, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(virtualKey), flags);
}

void Win32Test::HoldKeys(bool shift, bool ctrl, bool alt) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    auto set = [&](int key, bool down) { keys[key] = down ? 0x80 : 0; };
    set(VK_SHIFT, shift);
    set(VK_LSHIFT, shift);
    set(VK_CONTROL, ctrl);
    set(VK_LCONTROL, ctrl);
    set(VK_MENU, alt);
    set(VK_LMENU, alt);
    SetKeyboardState(keys);
}

RECT Win32Test::RectInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace testsupport
