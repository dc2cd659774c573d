#pragma once

#include <memory>
#include <string>

#include "model/CCommand.h"
#include "platform/shell/ShellFiles.h"

namespace model {

// The item that a file or folder dropped (or pasted) from the shell becomes, titled with the
// name the shell shows, without its extension:
// - a shortcut (.lnk), read and not followed: its target, arguments, working folder and show
//   command; one whose target is no file-system path starts the shortcut itself;
// - an internet shortcut (.url): opens its address;
// - anything else: opens it.
// Null when the file cannot be read; the user has been told why.
std::shared_ptr<CCommand> CommandFromFile(const std::wstring& path);

// Makes the item start what the shortcut starts: its target as the shortcut holds it, with its
// arguments, working folder and show command. A target that is no file-system path, and an
// installer's shortcut, leave the item as it is, starting the shortcut itself.
void TakeShortcutTarget(CCommand& command, const platform::ShortcutTarget& target);

}  // namespace model
