#pragma once

// Translation between SDL's keys and the game's virtual-key codes. Used by
// the SDL layer only; the arguments are SDL key and scan codes as integers.
namespace platform {

// The virtual-key code of a key, or 0 when the game has none for it.
int virtualKeyFromSdl(int keycode, int scancode);
// Whether the key with that virtual-key code is held right now.
bool sdlVirtualKeyHeld(int virtualKey);

} // namespace platform
