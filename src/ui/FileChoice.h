#pragma once

#include <string>

// The file dialogs of the windows, each starting in the folder remembered under its own name in
// the settings section "OFN Paths" and remembering the folder of the file chosen.
namespace ui {

// The menu window's open dialog and the menu editor's save dialog share one remembered folder.
inline constexpr wchar_t kMenuFolderValue[] = L"Last open Larkspur directory";

struct FileChoice {
    std::wstring rememberedFolderValue;
    std::wstring filter;
    std::wstring fileName;    // the name the dialog starts with; may be empty
    std::wstring defaultExt;  // saving only
};

// The full name of the file chosen, or empty text when the dialog was cancelled (then nothing
// is remembered). The dialog is owned by the active window.
std::wstring ChooseFileToOpen(const FileChoice& choice);
std::wstring ChooseFileToSave(const FileChoice& choice);

}  // namespace ui
