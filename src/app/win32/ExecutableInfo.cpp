#include "app/win32/ExecutableInfo.h"

#include <windows.h>
#include <shlobj.h>

#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/files/ExtendedPath.h"
#include "platform/text/NumberText.h"

namespace app {

namespace {

constexpr wchar_t kTitle[] = L"Brindle - Show larkspur";
constexpr wchar_t kCompanyKey[] = L"Brindle";
constexpr wchar_t kProductKey[] = L"ShowLarkspur";

// Longer than any path Windows accepts, "\\?\" prefix included.
constexpr DWORD kMaxPathChars = 0x8000;

std::wstring ModulePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    while (buffer.size() <= kMaxPathChars) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);  // truncated
    }
    return {};
}

// The file's name as the file system spells it, which may differ in case (or be the long
// name of an 8.3 alias) from the name the process was started by.
std::wstring NameOnDisk(const std::wstring& path) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileExW(platform::files::ExtendedPath(path).c_str(),
                                           FindExInfoBasic, &found, FindExSearchNameMatch,
                                           nullptr, 0);
    if (search != INVALID_HANDLE_VALUE) {
        FindClose(search);
        return found.cFileName;
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring WithoutExtension(const std::wstring& fileName) {
    const std::size_t dot = fileName.rfind(L'.');
    return dot == std::wstring::npos ? fileName : fileName.substr(0, dot);
}

// A writable copy of the executable's own version resource, as VerQueryValueW wants it.
std::vector<DWORD> VersionResource() {
    const HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(VS_VERSION_INFO), RT_VERSION);
    if (found == nullptr) return {};
    const DWORD size = SizeofResource(nullptr, found);
    const HGLOBAL loaded = LoadResource(nullptr, found);
    const void* data = loaded == nullptr ? nullptr : LockResource(loaded);
    if (data == nullptr || size == 0) return {};
    std::vector<DWORD> copy((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    std::memcpy(copy.data(), data, size);
    return copy;
}

void ReadFixedVersion(std::vector<DWORD>& resource, platform::Application& app) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(resource.data(), L"\\", &value, &length) ||
        length < sizeof(VS_FIXEDFILEINFO)) {
        return;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (fixed->dwSignature != VS_FFI_SIGNATURE) return;
    app.Major = HIWORD(fixed->dwFileVersionMS);
    app.Minor = LOWORD(fixed->dwFileVersionMS);
    app.Revision = HIWORD(fixed->dwFileVersionLS);
}

// A text of the first translation the version data lists.
std::wstring VersionString(std::vector<DWORD>& resource, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(resource.data(), L"\\VarFileInfo\\Translation", &value, &length) ||
        length < 2 * sizeof(WORD)) {
        return {};
    }
    const auto* translation = static_cast<const WORD*>(value);
    using platform::text::Hexadecimal;
    const std::wstring query = L"\\StringFileInfo\\" + Hexadecimal(translation[0], 4) +
                               Hexadecimal(translation[1], 4) + L"\\" + name;
    if (!VerQueryValueW(resource.data(), query.c_str(), &value, &length) || length == 0) return {};
    const auto* text = static_cast<const wchar_t*>(value);
    return std::wstring(text, wcsnlen(text, length));
}

// The user's roaming application-data folder: %APPDATA%, which the profile sets for the session.
// Asking the shell would load shell32 and its kin before the menu window shows, so it is asked
// only where the variable is missing.
std::wstring RoamingAppData() {
    const DWORD length = GetEnvironmentVariableW(L"APPDATA", nullptr, 0);
    if (length > 1) {
        std::wstring value(length, L'\0');
        const DWORD written = GetEnvironmentVariableW(L"APPDATA", value.data(), length);
        if (written > 0 && written < length) return value.substr(0, written);
    }
    PWSTR known = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_RoamingAppData, 0, nullptr, &known))) {
        folder = known;
    }
    CoTaskMemFree(known);  // also when the call failed, as documented
    return folder;
}

std::wstring DataFolder() {
    const std::wstring roaming = RoamingAppData();
    if (roaming.empty()) return {};
    return roaming + L"\\" + kCompanyKey + L"\\" + kProductKey;
}

}  // namespace

platform::Application ReadExecutableInfo() {
    platform::Application app;
    app.Title = kTitle;
    app.CompanyKey = kCompanyKey;
    app.ProductKey = kProductKey;
    app.ExePath = ModulePath();
    app.ExeName = WithoutExtension(NameOnDisk(app.ExePath));
    std::vector<DWORD> resource = VersionResource();
    if (!resource.empty()) {
        ReadFixedVersion(resource, app);
        app.LegalCopyright = VersionString(resource, L"LegalCopyright");
    }
    app.DataFolder = DataFolder();
    return app;
}

}  // namespace app
