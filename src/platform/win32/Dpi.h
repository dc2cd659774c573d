#pragma once

#include <windows.h>

// DPI queries that exist only on newer Windows, looked up at run time so that the program still
// starts on Windows 7 (where the whole desktop has one DPI).
namespace platform {

// The DPI of the primary monitor, where new windows appear.
int SystemDpi();
// The DPI the window is drawn at.
int WindowDpi(HWND window);
// GetSystemMetrics for a DPI.
int SystemMetricForDpi(int index, int dpi);
// The outer rectangle of a window whose client area is `client`, at a DPI.
RECT OuterRectForClient(const RECT& client, DWORD style, DWORD exStyle, int dpi);
// The system's fonts and sizes of window parts (menus, captions, tool tips), at a DPI.
NONCLIENTMETRICSW NonClientMetricsForDpi(int dpi);

}  // namespace platform
