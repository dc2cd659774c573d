#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// Files handed over by the shell: dropped on a window (WM_DROPFILES) or copied to the clipboard.
namespace ui {

// Lets the shell drop files on the window, also when this program runs elevated and the shell
// does not.
void AcceptDroppedFiles(HWND window);

// The full names a drop or a copy carries, in order.
std::vector<std::wstring> FileNamesOf(HDROP drop);

// The files the clipboard holds (CF_HDROP); none when it holds none or cannot be opened.
std::vector<std::wstring> ClipboardFileNames(HWND owner);

}  // namespace ui
