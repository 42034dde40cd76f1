#pragma once

#include "platform/Key.h"

// Translation between SDL's keys and the game's key codes. Used by the SDL
// layer only; the arguments are SDL key and scan codes as integers.
namespace platform {

// The game's code of a key, or Key::None when the game has none for it.
Key keyFromSdl(int keycode, int scancode);
// Whether the key is held right now.
bool sdlKeyHeld(Key key);

} // namespace platform
