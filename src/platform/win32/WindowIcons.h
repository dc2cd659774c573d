#pragma once

#include <windows.h>

#include <string>

// Window icons loaded from the executable's icon groups at the sizes for the window's DPI. The
// window keeps the icons it was given until they are replaced, cleared or the window ends, and
// then they are destroyed; a change of DPI loads them again at the new sizes. The window's own
// procedure tells of both: a comctl32 subclass that watched for them would cost, under Wine, a
// round trip to the server on every message the window gets.
namespace platform {

// False when the executable has no icon group of that name; the window's icons stay as they were.
// A message-only window shows no icons: it only keeps the group's name until it is made a
// top-level window and LoadKeptIcons is called.
bool SetWindowIcons(HWND window, const std::wstring& resourceName);
void LoadKeptIcons(HWND window);
void ClearWindowIcons(HWND window);
// WM_DPICHANGED: the icons at the sizes for the new DPI.
void ReloadWindowIcons(HWND window, int dpi);
// WM_NCDESTROY: the icons and what was kept of them go.
void ReleaseWindowIcons(HWND window);

// True for a window made with HWND_MESSAGE as its parent (or moved there).
bool IsMessageOnlyWindow(HWND window);

}  // namespace platform
