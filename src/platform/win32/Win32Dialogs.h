#pragma once

#include "platform/Environment.h"

namespace platform {

class Win32Dialogs : public Dialogs {
public:
    int ShowMessage(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                    unsigned style) override;
    std::optional<std::wstring> OpenFile(const FileDialogRequest& request) override;
    std::optional<std::wstring> SaveFile(const FileDialogRequest& request) override;
    std::optional<std::wstring> BrowseFolder(WindowHandle owner, const std::wstring& prompt,
                                             const std::wstring& initialFolder) override;
    std::optional<size_t> PopupMenu(WindowHandle anchor,
                                    const std::vector<std::wstring>& entries) override;
    void About(WindowHandle owner, const std::wstring& title, const std::wstring& text) override;
};

// "caption|pattern|caption|pattern" as the file dialogs take it: NUL-separated, ending with
// two NULs.
std::wstring FileDialogFilter(const std::wstring& filter);

}  // namespace platform
