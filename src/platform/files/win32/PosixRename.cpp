#include "platform/files/win32/PosixRename.h"

#include <cstddef>
#include <cstring>
#include <vector>

namespace platform::files {
namespace {

// FileRenameInfoEx and its flags came with Windows 10 1607; the build's headers are those of
// Windows 7, so they are declared here as documented.
constexpr auto kFileRenameInfoEx = static_cast<FILE_INFO_BY_HANDLE_CLASS>(22);
constexpr DWORD kRenameReplaceIfExists = 0x1;  // FILE_RENAME_FLAG_REPLACE_IF_EXISTS
constexpr DWORD kRenamePosixSemantics = 0x2;   // FILE_RENAME_FLAG_POSIX_SEMANTICS

// FILE_RENAME_INFO as FileRenameInfoEx reads it: Flags in the place of ReplaceIfExists.
struct RenameInfoEx {
    DWORD Flags;
    HANDLE RootDirectory;
    DWORD FileNameLength;  // in bytes, without the closing NUL
    WCHAR FileName[1];
};
static_assert(offsetof(RenameInfoEx, RootDirectory) == offsetof(FILE_RENAME_INFO, RootDirectory));
static_assert(offsetof(RenameInfoEx, FileName) == offsetof(FILE_RENAME_INFO, FileName));

}  // namespace

DWORD RenameReplacingHeldTarget(HANDLE file, const std::wstring& target) {
    const size_t nameBytes = target.size() * sizeof(WCHAR);
    std::vector<std::byte> buffer(offsetof(RenameInfoEx, FileName) + nameBytes + sizeof(WCHAR));
    auto* info = reinterpret_cast<RenameInfoEx*>(buffer.data());
    info->Flags = kRenameReplaceIfExists | kRenamePosixSemantics;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(info->FileName, target.c_str(), nameBytes + sizeof(WCHAR));
    return SetFileInformationByHandle(file, kFileRenameInfoEx, info,
                                      static_cast<DWORD>(buffer.size()))
               ? ERROR_SUCCESS
               : GetLastError();
}

}  // namespace platform::files
