#pragma once

#include "platform/Environment.h"

namespace platform {

// Answers for the message being handled: the key state as of the last message taken from the
// queue, not the hardware's state at this instant.
class Win32Keyboard : public Keyboard {
public:
    bool IsKeyDown(int virtualKey) override;
};

}  // namespace platform
