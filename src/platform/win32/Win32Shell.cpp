#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/CommandLine.h"
#include "platform/files/FileSystem.h"
#include "platform/text/CaseFold.h"
#include "platform/win32/ComApartment.h"
#include "platform/win32/ErrorMode.h"
#include "platform/win32/Registry.h"
#include "platform/win32/SystemErrorText.h"

namespace platform {

namespace {

const wchar_t* TextOrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

// The shell's own failure codes, for the rare failure that leaves no last error behind.
DWORD ErrorOfShellCode(INT_PTR code) {
    switch (code) {
        case SE_ERR_FNF: return ERROR_FILE_NOT_FOUND;
        case SE_ERR_PNF: return ERROR_PATH_NOT_FOUND;
        case SE_ERR_ACCESSDENIED: return ERROR_ACCESS_DENIED;
        case ERROR_BAD_FORMAT: return ERROR_BAD_FORMAT;
        case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
        case SE_ERR_ASSOCINCOMPLETE:
        case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
        case SE_ERR_DDETIMEOUT:
        case SE_ERR_DDEFAIL:
        case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
        case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
        default: return ERROR_NOT_ENOUGH_MEMORY;
    }
}

// The user's App Paths key of the executable's file name; empty for a path without one.
std::wstring AppPathsKey(const std::wstring& exePath) {
    const size_t separator = exePath.find_last_of(L"\\/");
    if (separator == std::wstring::npos || separator + 1 == exePath.size()) return {};
    return L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" +
           exePath.substr(separator + 1);
}

}  // namespace

ShellResult Win32Shell::Execute(WindowHandle owner, const std::wstring& verb,
                                const std::wstring& file, const std::wstring& parameters,
                                const std::wstring& directory, int showCommand) {
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    // Synchronous, and silent: the caller reports a failure in its own words. Variables in the
    // file and folder names (%SystemRoot%, %USERPROFILE%) are expanded, as in a shortcut.
    info.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI | SEE_MASK_DOENVSUBST;
    info.hwnd = static_cast<HWND>(owner);
    info.lpVerb = TextOrNull(verb);
    info.lpFile = file.c_str();
    info.lpParameters = TextOrNull(parameters);
    info.lpDirectory = TextOrNull(directory);
    info.nShow = showCommand;
    EnsureComApartment();
    BOOL done = FALSE;
    DWORD error = ERROR_SUCCESS;
    {  // the started program inherits the error mode this one was started with, not ours
        const StartedProgramsErrorMode startedProgramsMode;
        SetLastError(ERROR_SUCCESS);
        done = ShellExecuteExW(&info);
        error = GetLastError();
    }
    ShellResult result;
    // The call's result alone says whether it worked: hInstApp is documented only with
    // SEE_MASK_NOCLOSEPROCESS. On failure it still names the shell's reason when no error is set.
    result.ok = done != FALSE;
    if (!result.ok) {
        result.lastError = error != ERROR_SUCCESS
                               ? error
                               : ErrorOfShellCode(reinterpret_cast<INT_PTR>(info.hInstApp));
    }
    return result;
}

std::wstring Win32Shell::SystemErrorText(std::uint32_t code) {
    return platform::SystemErrorText(code);
}

bool Win32Shell::RegisterAppPath(const std::wstring& exePath) {
    const std::wstring key = AppPathsKey(exePath);
    if (key.empty()) return false;
    bool pathStored = WriteRegistryText(HKEY_CURRENT_USER, key, L"", exePath);
    bool folderStored = WriteRegistryText(HKEY_CURRENT_USER, key, L"Path",
                                          exePath.substr(0, exePath.find_last_of(L"\\/")));
    return pathStored && folderStored;
}

// Only an entry that names this very executable: another copy's, or another program's of the
// same name, stays.
void Win32Shell::UnregisterAppPath(const std::wstring& exePath) {
    const std::wstring key = AppPathsKey(exePath);
    if (key.empty()) return;
    const std::optional<std::wstring> named = ReadRegistryText(HKEY_CURRENT_USER, key, L"");
    if (named && text::EqualIgnoringCase(files::LongPath(*named), files::LongPath(exePath))) {
        RegDeleteKeyW(HKEY_CURRENT_USER, key.c_str());
    }
}

std::wstring Win32Shell::CommandLineArguments() {
    return ArgumentsAfterProgramName(GetCommandLineW());
}

}  // namespace platform
