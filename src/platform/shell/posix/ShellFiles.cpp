#include "platform/shell/ShellFiles.h"

#include "platform/files/PathParts.h"

namespace platform {

std::wstring ShellDisplayName(const std::wstring& path) { return files::NameOf(path); }

// Shortcuts are the Windows shell's: the native build has nothing that reads them.
std::optional<ShortcutTarget> ReadShortcut(const std::wstring& path) { return std::nullopt; }

}  // namespace platform
