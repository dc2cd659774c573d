#include "platform/headless/HeadlessKeyboard.h"

#include "platform/WinConstants.h"

namespace platform {

HeldModifiers::HeldModifiers(HeadlessKeyboard& keyboard, int modifierMask) : keyboard_(keyboard) {
    const std::pair<int, int> modifiers[] = {
        {kShiftMask, vk::Shift}, {kCtrlMask, vk::Control}, {kAltMask, vk::Menu}};
    for (const auto& [mask, key] : modifiers) {
        if ((modifierMask & mask) && !keyboard_.IsKeyDown(key)) {
            keyboard_.Hold(key);
            pressed_.insert(key);
        }
    }
}

HeldModifiers::~HeldModifiers() {
    for (int key : pressed_) keyboard_.Release(key);
}

}  // namespace platform
