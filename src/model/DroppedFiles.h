#pragma once

#include <memory>
#include <string>

#include "model/CCommand.h"
#include "platform/shell/ShellFiles.h"

namespace model {

// What a file or folder dropped (or pasted) from the shell becomes: an item, titled with the
// name the shell shows, without its extension, or why it cannot become one.
// - a shortcut (.lnk), read and not followed: its target, arguments, working folder and show
//   command; one whose target is no file-system path starts the shortcut itself;
// - an internet shortcut (.url): opens its address;
// - anything else: opens it.
struct DroppedFile {
    std::shared_ptr<CCommand> command;  // null when the file cannot be read
    unsigned refusal = 0;               // then why: the id of a sentence for the user
};

// Reads the file on the calling thread, which has COM started; it shares nothing with other
// threads, so a worker may read while the user-interface thread goes on. `names` serves the
// files of one drop.
DroppedFile CommandFromFile(const std::wstring& path, platform::ShellNames& names);

// Makes the item start what the shortcut starts: its target as the shortcut holds it, with its
// arguments, working folder and show command. A target that is no file-system path, and an
// installer's shortcut, leave the item as it is, starting the shortcut itself.
void TakeShortcutTarget(CCommand& command, const platform::ShortcutTarget& target);

}  // namespace model
