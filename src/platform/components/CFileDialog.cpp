#include "platform/components/CFileDialog.h"

#include <optional>

#include "platform/Environment.h"
#include "platform/components/DialogFolder.h"

namespace platform {

bool CFileDialog::ShowOpen() {
    const FileDialogRequest request{hWndOwner, Filter, FilterIndex, DialogStartFolder(InitDir),
                                    FileName, L""};
    const std::optional<std::wstring> chosen = Env().dialogs.OpenFile(request);
    if (!chosen) return false;
    FileName = *chosen;
    return true;
}

bool CFileDialog::ShowSave() {
    const FileDialogRequest request{hWndOwner, Filter, FilterIndex, DialogStartFolder(InitDir),
                                    FileName, DefaultExt};
    const std::optional<std::wstring> chosen = Env().dialogs.SaveFile(request);
    if (!chosen) return false;
    FileName = *chosen;
    return true;
}

}  // namespace platform
