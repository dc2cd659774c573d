#pragma once

#include <string>

namespace platform {

// What a menu item starts, as the shell is given it: the item's file name and working folder,
// and the folder of the menu file, which is the current folder when the item runs.
struct ShellTarget {
    std::wstring fileName;
    std::wstring directory;
    std::wstring menuFolder;
    bool operator==(const ShellTarget&) const = default;
};

}  // namespace platform
