#pragma once

#include <string>

namespace platform {

// A message box over the active window, captioned with the application title.
// style: kMb* flags; returns kIdOk, kIdCancel ...
int MsgBox(const std::wstring& text, unsigned style);

}  // namespace platform
