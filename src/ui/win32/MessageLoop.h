#pragma once

#include <windows.h>

#include <functional>
#include <optional>

// The one message loop of the program, also run inside modal forms and by DoEvents. A key goes
// first to the form's key handler (with key preview), then to the focused control's, then to
// the dialog manager (Tab, Enter on the default button, Esc on the cancel button), then to the
// window; a handler that sets the key code to 0 stops it there.
namespace ui {

void DispatchQueuedMessage(MSG& message);

// Runs until `done` holds after a message. Returns the exit code when WM_QUIT ended it first.
std::optional<int> RunMessagesUntil(const std::function<bool()>& done);

// Handles the messages that are waiting now. A WM_QUIT among them stays for the loop outside.
void ProcessPendingMessages();

}  // namespace ui
