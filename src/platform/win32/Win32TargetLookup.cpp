#include "platform/win32/Win32TargetLookup.h"

#include <windows.h>

#include "platform/shell/PathFolders.h"
#include "platform/win32/Registry.h"

namespace platform {

namespace {

std::wstring EnvironmentText(const wchar_t* name) {
    const DWORD size = GetEnvironmentVariableW(name, nullptr, 0);
    if (size == 0) return {};
    std::wstring text(size, L'\0');
    const DWORD written = GetEnvironmentVariableW(name, text.data(), size);
    text.resize(written < size ? written : 0);  // a variable that grew meanwhile: none
    return text;
}

bool IsRemoteDrive(wchar_t drive) {
    const wchar_t root[] = {drive, L':', L'\\', L'\0'};
    return GetDriveTypeW(root) == DRIVE_REMOTE;
}

}  // namespace

std::wstring Win32TargetLookup::Expand(const std::wstring& text) {
    if (text.find(L'%') == std::wstring::npos) return text;
    const DWORD size = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (size == 0) return text;
    std::wstring expanded(size, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), size);
    if (written == 0 || written > size) return text;  // a variable that grew meanwhile
    expanded.resize(written - 1);
    return expanded;
}

// A file that is only a placeholder of a sync client's (FILE_ATTRIBUTE_RECALL_ON_OPEN) says so
// only when its folder is listed, not to GetFileAttributesW.
std::optional<std::uint32_t> Win32TargetLookup::Attributes(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    const bool pattern = path.find_first_of(L"*?", path.rfind(L'\\') + 1) != std::wstring::npos;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY) && !pattern) {
        WIN32_FIND_DATAW listed;
        const HANDLE find = FindFirstFileExW(path.c_str(), FindExInfoBasic, &listed,
                                             FindExSearchNameMatch, nullptr, 0);
        if (find != INVALID_HANDLE_VALUE) {
            attributes |= listed.dwFileAttributes;
            FindClose(find);
        }
    }
    return attributes;
}

std::wstring Win32TargetLookup::AppPath(const std::wstring& programName) {
    const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + programName;
    std::wstring path = ReadExpandedRegistryText(HKEY_CURRENT_USER, key, nullptr);
    if (path.empty()) path = ReadExpandedRegistryText(HKEY_LOCAL_MACHINE, key, nullptr);
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') {
        path = path.substr(1, path.size() - 2);
    }
    return path;
}

std::vector<std::wstring> Win32TargetLookup::SearchFolders() {
    std::vector<std::wstring> folders;
    wchar_t folder[MAX_PATH];
    if (UINT n = GetSystemDirectoryW(folder, MAX_PATH); n && n < MAX_PATH) {
        folders.emplace_back(folder, n);
    }
    if (UINT n = GetWindowsDirectoryW(folder, MAX_PATH); n && n < MAX_PATH) {
        folders.emplace_back(folder, n);
    }
    auto expand = [this](const std::wstring& text) { return Expand(text); };
    for (std::wstring& entry : LocalPathFolders(EnvironmentText(L"PATH"), expand, IsRemoteDrive)) {
        folders.push_back(std::move(entry));
    }
    return folders;
}

}  // namespace platform
