#include "platform/shell/TargetResolution.h"

#include <algorithm>
#include <cwctype>
#include <optional>

namespace platform {

namespace {

constexpr const wchar_t* kProgramExtensions[] = {L".exe", L".com", L".bat", L".cmd", L".lnk"};

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool HasDrive(const std::wstring& name) {
    return name.size() >= 2 && name[1] == L':' && std::iswalpha(name[0]);
}

bool IsUnc(const std::wstring& name) {
    return name.size() >= 2 && IsSeparator(name[0]) && IsSeparator(name[1]);
}

// "scheme:" of two characters or more, so that "C:" stays a drive.
std::optional<std::wstring> UrlScheme(const std::wstring& name) {
    const size_t colon = name.find(L':');
    if (colon == std::wstring::npos || colon < 2 || !std::iswalpha(name[0])) return std::nullopt;
    for (size_t i = 1; i < colon; ++i) {
        const wchar_t c = name[i];
        if (!std::iswalnum(c) && c != L'+' && c != L'-' && c != L'.') return std::nullopt;
    }
    return name.substr(0, colon);
}

bool HasExtension(const std::wstring& name) {
    const size_t dot = name.find_last_of(L'.');
    if (dot == std::wstring::npos) return false;
    const size_t separator = name.find_last_of(L"\\/");
    return separator == std::wstring::npos || dot > separator;
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || IsSeparator(folder.back())) return folder + name;
    return folder + L'\\' + name;
}

// A name relative to `folder`: a path beginning with a separator is on the folder's drive.
std::wstring Against(const std::wstring& folder, const std::wstring& name) {
    if (!name.empty() && IsSeparator(name[0])) {
        return HasDrive(folder) ? folder.substr(0, 2) + name : name;
    }
    return Join(folder, name);
}

bool IsAbsolute(const std::wstring& name) { return IsUnc(name) || HasDrive(name); }

// The file or folder of that path, when there is one.
std::optional<ResolvedTarget> Found(const std::wstring& path, TargetLookup& lookup) {
    const std::optional<std::uint32_t> attributes = lookup.Attributes(path);
    if (!attributes) return std::nullopt;
    return ResolvedTarget{ResolvedTarget::Kind::Path, path, {}, *attributes};
}

// The file or folder of that path, or else, for a name without an extension, the program of
// that name.
std::optional<ResolvedTarget> Existing(const std::wstring& path, TargetLookup& lookup) {
    if (std::optional<ResolvedTarget> found = Found(path, lookup)) return found;
    if (HasExtension(path)) return std::nullopt;
    for (const wchar_t* extension : kProgramExtensions) {
        if (std::optional<ResolvedTarget> found = Found(path + extension, lookup)) return found;
    }
    return std::nullopt;
}

std::wstring Lower(std::wstring text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return text;
}

// "\\server" for a UNC path, the drive ("c:") for a drive path; a "\\?\" or "\\.\" path by the
// drive or server after its prefix, any other such path by its first name ("\\?\volume{...}").
std::wstring RootOfPath(const std::wstring& path) {
    if (IsUnc(path) && path.size() >= 4 && (path[2] == L'?' || path[2] == L'.') &&
        IsSeparator(path[3])) {
        const std::wstring rest = path.substr(4);
        if (rest.size() > 3 && Lower(rest.substr(0, 3)) == L"unc" && IsSeparator(rest[3])) {
            return RootOfPath(L"\\\\" + rest.substr(4));
        }
        if (HasDrive(rest)) return RootOfPath(rest);
        return Lower(path.substr(0, path.find_first_of(L"\\/", 4)));
    }
    if (IsUnc(path)) {
        const size_t end = path.find_first_of(L"\\/", 2);
        return Lower(path.substr(0, end));
    }
    if (HasDrive(path)) return Lower(path.substr(0, 2));
    return {};
}

}  // namespace

ResolvedTarget ResolveTarget(const ShellTarget& target, TargetLookup& lookup) {
    const std::wstring name = lookup.Expand(target.fileName);
    if (name.empty()) return {};
    if (std::optional<std::wstring> scheme = UrlScheme(name)) {
        return {ResolvedTarget::Kind::Url, {}, *scheme};
    }
    if (IsAbsolute(name)) return Existing(name, lookup).value_or(ResolvedTarget{});
    std::vector<std::wstring> folders;
    const std::wstring directory = lookup.Expand(target.directory);
    if (!directory.empty()) {
        folders.push_back(IsAbsolute(directory) ? directory : Against(target.menuFolder, directory));
    }
    folders.push_back(target.menuFolder);
    for (const std::wstring& folder : folders) {
        if (std::optional<ResolvedTarget> found = Existing(Against(folder, name), lookup)) {
            return *found;
        }
    }
    if (name.find_first_of(L"\\/") != std::wstring::npos) return {};
    const std::wstring program = HasExtension(name) ? name : name + L".exe";
    const std::wstring registered = lookup.Expand(lookup.AppPath(program));
    if (!registered.empty()) {
        if (std::optional<ResolvedTarget> found = Found(registered, lookup)) return *found;
    }
    for (const std::wstring& folder : lookup.SearchFolders()) {
        if (folder.empty()) continue;
        if (std::optional<ResolvedTarget> found = Existing(Join(folder, name), lookup)) {
            return *found;
        }
    }
    return {};
}

bool HasDataElsewhere(const ResolvedTarget& target) {
    constexpr std::uint32_t kOffline = 0x1000;               // FILE_ATTRIBUTE_OFFLINE
    constexpr std::uint32_t kRecallOnOpen = 0x40000;         // FILE_ATTRIBUTE_RECALL_ON_OPEN
    constexpr std::uint32_t kRecallOnDataAccess = 0x400000;  // ..._RECALL_ON_DATA_ACCESS
    return target.kind == ResolvedTarget::Kind::Path &&
           (target.attributes & (kOffline | kRecallOnOpen | kRecallOnDataAccess)) != 0;
}

std::wstring TargetRoot(const ShellTarget& target) {
    const std::wstring& name = target.fileName;
    if (UrlScheme(name)) return {};
    if (IsAbsolute(name)) return RootOfPath(name);
    if (!name.empty() && name[0] == L'%') return {};
    // A relative or bare name is looked for in the working folder first.
    if (IsAbsolute(target.directory)) return RootOfPath(target.directory);
    return RootOfPath(target.menuFolder);
}

bool UsesCurrentFolder(const ShellTarget& target) {
    const auto relative = [](const std::wstring& path) {
        return !IsAbsolute(path) && (path.empty() || path[0] != L'%');
    };
    return relative(target.directory) || (!UrlScheme(target.fileName) && relative(target.fileName));
}

}  // namespace platform
