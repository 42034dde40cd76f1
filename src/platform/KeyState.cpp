#include "platform/KeyState.h"

#include "platform/SdlKeys.h"

namespace platform {
namespace {

class KeyboardState : public KeyState {
public:
    bool isHeld(Key key) override { return sdlKeyHeld(key); }
};

KeyboardState keyboardState;
KeyState* currentKeyState = &keyboardState;

} // namespace

KeyState& keyState() {
    return *currentKeyState;
}
void setKeyState(KeyState* state) {
    currentKeyState = state ? state : &keyboardState;
}

} // namespace platform
