#pragma once

#include <set>

#include "platform/Environment.h"

namespace platform {

// Keys a test holds down, as esIsKeyPressed sees them.
class HeadlessKeyboard : public Keyboard {
public:
    bool IsKeyDown(int virtualKey) override { return held_.count(virtualKey) != 0; }
    void Hold(int virtualKey) { held_.insert(virtualKey); }
    void Release(int virtualKey) { held_.erase(virtualKey); }

private:
    std::set<int> held_;
};

// Holds the modifier keys of a mask (kShiftMask, kCtrlMask, kAltMask) for its lifetime and then
// releases those it pressed.
class HeldModifiers {
public:
    HeldModifiers(HeadlessKeyboard& keyboard, int modifierMask);
    ~HeldModifiers();
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;

private:
    HeadlessKeyboard& keyboard_;
    std::set<int> pressed_;
};

}  // namespace platform
