#pragma once

#include "platform/Key.h"

// Whether a key is held at this moment (Alt+F4, Ctrl/Shift in the edit box).
// Tests install a scripted key state.
namespace platform {

class KeyState {
public:
    virtual ~KeyState() = default;
    virtual bool isHeld(Key key) = 0;
};

KeyState& keyState();
// Installs a key state (not owned); nullptr restores the keyboard's.
void setKeyState(KeyState* state);

inline bool isKeyHeld(Key key) {
    return keyState().isHeld(key);
}

} // namespace platform
