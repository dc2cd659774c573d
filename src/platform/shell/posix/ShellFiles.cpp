#include "platform/shell/ShellFiles.h"

#include "platform/files/PathParts.h"

namespace platform {

struct ShellNames::Folder {};

ShellNames::ShellNames() = default;
ShellNames::~ShellNames() = default;

std::wstring ShellNames::DisplayName(const std::wstring& path) { return files::NameOf(path); }

// Shortcuts are the Windows shell's: the native build has nothing that reads them.
std::optional<ShortcutTarget> ReadShortcut(const std::wstring& path) { return std::nullopt; }

}  // namespace platform
