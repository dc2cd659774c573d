// The content floor of the start-up benchmark (startup_bench.cpp): what the menu window shows
// for a 1000-item menu, with nothing read from disk and nothing else done. A themed window (the
// program's own manifest: common controls 6, DPI awareness) of the menu window's size, and in it
// a plain list box of the same size and font (Tahoma 9 pt at the DPI) filled with the same titles,
// the first row selected. Runs until it is sent WM_CLOSE, as the menu window does.
#ifndef _WIN32
#error "content_floor is a Win32 program: it builds only for Windows"
#endif

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "support/MeasuredWindow.h"
#include "support/RussianMenu.h"

namespace {

constexpr wchar_t kClassName[] = L"ContentFloorBenchmark";
constexpr wchar_t kTitle[] = L"Content floor";
// The menu window's list and its margin, in twips.
constexpr int kListWidth = 3375;
constexpr int kListHeight = 3210;
constexpr int kMargin = 100;
constexpr int kTwipsPerInch = 1440;
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_THICKFRAME;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT | WS_EX_APPWINDOW;

HWND list = nullptr;

int Pixels(int twips, int dpi) { return MulDiv(twips, dpi, kTwipsPerInch); }

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_SETFOCUS) return bench::EndingWindowProc(window, message, wParam, lParam);
    SetFocus(list);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&classes);
    if (!bench::RegisterWindowClass(instance, kClassName, WindowProc)) return 1;

    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    RECT outer{0, 0, Pixels(kListWidth + 2 * kMargin, dpi), Pixels(kListHeight + 2 * kMargin, dpi)};
    AdjustWindowRectEx(&outer, kStyle, FALSE, kExStyle);
    HWND window = CreateWindowExW(kExStyle, kClassName, kTitle, kStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, outer.right - outer.left,
                                  outer.bottom - outer.top, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    HFONT font = CreateFontW(-MulDiv(9, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                             RUSSIAN_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
    list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY |
                               LBS_NOINTEGRALHEIGHT,
                           Pixels(kMargin, dpi), Pixels(kMargin, dpi), Pixels(kListWidth, dpi),
                           Pixels(kListHeight, dpi), window, nullptr, instance, nullptr);
    SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

    const int rows = bench::kMenuItems;
    SendMessageW(list, LB_INITSTORAGE, rows, rows * 16 * sizeof(wchar_t));
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    for (int row = 0; row < rows; ++row) {
        const std::wstring title = bench::MenuItemTitle(row);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.c_str()));
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    SendMessageW(list, LB_SETCURSEL, 0, 0);

    ShowWindow(window, showCommand);
    UpdateWindow(window);

    const int exitCode = bench::RunUntilClosed();
    DeleteObject(font);
    return exitCode;
}
