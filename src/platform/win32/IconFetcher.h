#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/shell/ShellTarget.h"

// The icons of shell targets, fetched for the whole process on background threads below normal
// priority, with COM of their own. What they share lives as long as the process: a thread that
// waits on an unreachable server is never waited for, and a target asked for again while its
// lookup waits or runs waits for that one, so that such a server holds a thread or two however
// often its icons are asked for. A worker that takes long makes way for others, so a slow disk or
// server delays only its own icons. Called on the user-interface thread.
namespace platform {

struct FetchedIcon {
    int target = 0;
    int size = 0;
    HICON icon = nullptr;
};

// The process's number for the target: the same target, the same number.
int IconTarget(const ShellTarget& target);
// Asks for the icon of target number `target`, `size` pixels square; urgent ones go first, and
// asking again can make a waiting one urgent. `notify` gets kMsgStartIconWorkers when workers are
// to start, and kMsgIconsArrived when icons have arrived.
void RequestIcon(HWND notify, int target, int size, bool urgent);
// Starts this thread's COM apartment, which is then the process's first, and the workers wanted:
// for kMsgStartIconWorkers, once the window that asked has painted.
void StartIconWorkers();
// The icons arrived since the last call; the caller destroys them.
std::vector<FetchedIcon> TakeFetchedIcons();

}  // namespace platform
