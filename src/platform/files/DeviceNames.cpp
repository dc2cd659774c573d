#include "platform/files/DeviceNames.h"

#include "platform/files/FileSystem.h"

namespace platform::files {

bool IsDeviceName(const std::wstring& path, FullPathFunction fullPath) {
    return !path.empty() && fullPath(path).starts_with(L"\\\\.\\");
}

bool IsDeviceName(const std::wstring& path) { return IsDeviceName(path, FullPath); }

}  // namespace platform::files
