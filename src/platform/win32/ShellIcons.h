#pragma once

#include <windows.h>

#include "platform/shell/ShellTarget.h"

namespace platform {

// The icon, `size` pixels square, of what starting the target would open: a program's, a
// folder's, a document's from its association, a URL's from its protocol; a neutral document
// icon for a target that cannot be found. Touches the disk and the registry and may wait as long
// as they do: never on the user-interface thread. Wants COM started on the calling thread. The
// caller destroys the icon; null only when the shell gives none at all.
HICON LoadTargetIcon(const ShellTarget& target, int size);

}  // namespace platform
