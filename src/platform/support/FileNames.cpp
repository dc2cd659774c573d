#include "platform/support/FileNames.h"

#include "platform/files/DeviceNames.h"
#include "platform/files/FileSystem.h"
#include "platform/files/PathParts.h"

namespace platform {

bool esIsFileExist(const std::wstring& fileName) {
    return !fileName.empty() && (files::IsDeviceName(fileName) || files::IsFile(fileName));
}

std::wstring esGetFullFileName(const std::wstring& fileName, bool /*resolve*/) {
    return files::FullPath(fileName);
}

std::wstring esGetFilePath(const std::wstring& path) { return files::FolderOf(path); }

std::wstring esGetFileName(const std::wstring& path, bool withoutExtension) {
    return files::NameOf(path, withoutExtension);
}

std::error_code esSetCurrentDirectory(const std::wstring& folder) {
    return files::ChangeCurrentFolder(folder);
}

}  // namespace platform
