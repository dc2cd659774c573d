#include "platform/components/CFolderBrowser.h"

#include <optional>

#include "platform/Environment.h"
#include "platform/components/DialogFolder.h"

namespace platform {

bool CFolderBrowser::Browse() {
    const std::optional<std::wstring> chosen =
        Env().dialogs.BrowseFolder(hWndOwner, Prompt, DialogStartFolder(Folder));
    if (!chosen) return false;
    Folder = *chosen;
    return true;
}

}  // namespace platform
