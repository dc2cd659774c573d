#pragma once

#include <windows.h>

// Messages the program posts to its own windows. WM_USER and WM_USER + 1 stay free: the dialog
// manager uses them (DM_GETDEFID, DM_SETDEFID).
namespace platform {

// Posted to a form: unload once the event handler now running has returned.
constexpr UINT kMsgUnloadRequest = WM_APP;
// Posted to a form by the worker of its background work when the work has ended (wParam: the
// work's ticket).
constexpr UINT kMsgWorkEnded = WM_APP + 17;
// Posted by the icon fetcher to the window that asked for icons: start the workers; icons have
// arrived.
constexpr UINT kMsgStartIconWorkers = WM_APP + 18;
constexpr UINT kMsgIconsArrived = WM_APP + 19;

}  // namespace platform
