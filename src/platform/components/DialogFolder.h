#pragma once

#include <string>

namespace platform {

// The longest folder the file dialogs and the folder browser take to start in: they copy it
// into a buffer of MAX_PATH characters, and a longer one overruns it.
inline constexpr size_t kMostDialogFolderChars = 259;

// The folder when a dialog can start in it: it exists, is a folder and fits the dialog's limit.
// Otherwise empty text, and the dialog starts as if no folder was given.
std::wstring DialogStartFolder(const std::wstring& folder);

}  // namespace platform
