#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell/ShellTarget.h"

// Finding the file, folder or protocol that starting an item would open, by the shell's rules,
// without starting it. Each look at the disk or the registry goes through a TargetLookup, so the
// rules are the same on every platform and a lookup may take as long as the disk does.
namespace platform {

class TargetLookup {
public:
    virtual ~TargetLookup() = default;
    // The text with its %VARIABLES% expanded.
    virtual std::wstring Expand(const std::wstring& text) = 0;
    // The attributes (FILE_ATTRIBUTE_...) of the file or folder of that full path; nothing when
    // there is none.
    virtual std::optional<std::uint32_t> Attributes(const std::wstring& path) = 0;
    // The program registered under App Paths for a program file name ("name.exe"), or empty.
    virtual std::wstring AppPath(const std::wstring& programName) = 0;
    // The folders searched for a bare program name after the current one: the system's, then
    // those of PATH.
    virtual std::vector<std::wstring> SearchFolders() = 0;
};

struct ResolvedTarget {
    enum class Kind { Missing, Path, Url };
    Kind kind = Kind::Missing;
    std::wstring path;    // Path: the full path of the file or folder
    std::wstring scheme;  // Url: the protocol, as written ("http", "mailto")
    std::uint32_t attributes = 0;  // Path: its attributes
    bool operator==(const ResolvedTarget&) const = default;
};

// True for a file whose data is not on this machine: a sync client's file kept online only
// (recalled on open or on data access) or an offline one. Whoever reads it, for its icon too,
// has it downloaded.
bool HasDataElsewhere(const ResolvedTarget& target);

// Environment variables are expanded; a URL gives its protocol; an absolute path is taken as it
// is; a relative one is looked for in the item's working folder, then in the menu file's folder;
// a bare name also under App Paths and in the search folders. A name without an extension is
// tried with the program extensions too.
ResolvedTarget ResolveTarget(const ShellTarget& target, TargetLookup& lookup);

// Where looking for the target may wait on a disk or a server: "\\server" for a UNC path, the
// drive ("c:") for a drive path, each also behind a "\\?\" prefix; a relative or bare name by
// its working folder's when that is absolute, else by the menu folder's; lower case. Empty for a
// URL and for names that do not say.
std::wstring TargetRoot(const ShellTarget& target);

// True when starting the item depends on the current folder: its working folder is empty or
// relative, or its file name is a relative path. A %VARIABLE% is taken to name a full path.
bool UsesCurrentFolder(const ShellTarget& target);

}  // namespace platform
