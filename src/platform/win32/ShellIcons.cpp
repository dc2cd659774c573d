#include "platform/win32/ShellIcons.h"

#include <shellapi.h>
#include <commctrl.h>
#include <commoncontrols.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>
#include <vector>

#include "platform/shell/TargetResolution.h"
#include "platform/win32/ErrorMode.h"
#include "platform/win32/Registry.h"
#include "platform/win32/Win32TargetLookup.h"

namespace platform {

namespace {

// The system image list's icon, from the list whose icons are the size asked for or the
// nearest larger: drawing scales it to the size.
HICON SystemListIcon(int index, int size) {
    HICON icon = nullptr;
    for (int list : {SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE}) {
        IImageList* images = nullptr;
        if (FAILED(SHGetImageList(list, __uuidof(IImageList), reinterpret_cast<void**>(&images)))) {
            continue;
        }
        int width = 0;
        int height = 0;
        images->GetIconSize(&width, &height);
        if (width >= size || list == SHIL_EXTRALARGE) images->GetIcon(index, ILD_TRANSPARENT, &icon);
        images->Release();
        if (icon) break;
    }
    return icon;
}

HICON PathIcon(const std::wstring& path, DWORD attributes, UINT flags, int size) {
    SHFILEINFOW info{};
    if (!SHGetFileInfoW(path.c_str(), attributes, &info, sizeof info, SHGFI_SYSICONINDEX | flags)) {
        return nullptr;
    }
    return SystemListIcon(info.iIcon, size);
}

// The icon of a file or folder that was found. One whose data is not on this machine is not
// read, which would download it: its icon comes from its attributes and name alone.
HICON FoundIcon(const ResolvedTarget& found, int size) {
    if (HasDataElsewhere(found)) {
        return PathIcon(found.path, found.attributes, SHGFI_USEFILEATTRIBUTES, size);
    }
    return PathIcon(found.path, 0, 0, size);
}

// The program at the start of a command line.
std::wstring ProgramOf(const std::wstring& command) {
    if (command.empty()) return {};
    if (command[0] == L'"') return command.substr(1, command.find(L'"', 1) - 1);
    return command.substr(0, command.find(L' '));
}

// ASSOCF_IS_PROTOCOL, which Windows 8 brought: the headers declare it only for builds that
// need Windows 8. Where the query fails, the registry's classes are read.
constexpr ASSOCF kIsProtocol = static_cast<ASSOCF>(0x00001000);

// What the shell associates with the protocol: the user's choice of program included.
std::wstring Associated(ASSOCSTR what, const std::wstring& scheme) {
    wchar_t text[2 * MAX_PATH];
    DWORD size = MAX_PATH * 2;
    if (AssocQueryStringW(kIsProtocol, what, scheme.c_str(), nullptr, text, &size) != S_OK) {
        return {};
    }
    return text;
}

// The protocol's icon ("file,index"), else the icon of the program that opens it. The
// registry's classes are read too where the shell's association query knows no protocols.
HICON ProtocolIcon(const std::wstring& scheme, int size, TargetLookup& lookup) {
    std::wstring location = Associated(ASSOCSTR_DEFAULTICON, scheme);
    if (location.empty()) {
        location = ReadExpandedRegistryText(HKEY_CLASSES_ROOT, scheme + L"\\DefaultIcon", nullptr);
    }
    if (location.empty()) {
        std::wstring program = Associated(ASSOCSTR_EXECUTABLE, scheme);
        if (program.empty()) {
            program = ProgramOf(ReadExpandedRegistryText(
                HKEY_CLASSES_ROOT, scheme + L"\\shell\\open\\command", nullptr));
        }
        const ResolvedTarget found = ResolveTarget({program, L"", L""}, lookup);
        return found.kind == ResolvedTarget::Kind::Path ? FoundIcon(found, size) : nullptr;
    }
    int index = 0;
    const size_t comma = location.find_last_of(L',');
    if (comma != std::wstring::npos) {
        index = _wtoi(location.c_str() + comma + 1);
        location.resize(comma);
    }
    std::erase(location, L'"');
    if (location.empty()) return nullptr;
    HICON icon = nullptr;
    const UINT sizes = MAKELONG(size, size);
    if (SHDefExtractIconW(location.c_str(), index, 0, &icon, nullptr, sizes) != S_OK) return nullptr;
    return icon;
}

}  // namespace

HICON LoadTargetIcon(const ShellTarget& target, int size) {
    const ThreadErrorBoxesSilenced silenced;  // a probe of an empty drive fails quietly
    Win32TargetLookup lookup;
    const ResolvedTarget resolved = ResolveTarget(target, lookup);
    HICON icon = nullptr;
    if (resolved.kind == ResolvedTarget::Kind::Path) {
        icon = FoundIcon(resolved, size);
    } else if (resolved.kind == ResolvedTarget::Kind::Url) {
        icon = ProtocolIcon(resolved.scheme, size, lookup);
    }
    // A name with no extension stands for a file of no known type.
    if (!icon) icon = PathIcon(L"file", FILE_ATTRIBUTE_NORMAL, SHGFI_USEFILEATTRIBUTES, size);
    return icon;
}

}  // namespace platform
