#include "platform/components/DialogFolder.h"

#include "platform/files/FileSystem.h"

namespace platform {

std::wstring DialogStartFolder(const std::wstring& folder) {
    if (folder.empty() || folder.size() > kMostDialogFolderChars) return L"";
    return files::IsFolder(folder) ? folder : L"";
}

}  // namespace platform
