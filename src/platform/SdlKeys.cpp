#include "platform/SdlKeys.h"

#include <SDL.h>

namespace platform {
namespace {

struct KeyPair {
    SDL_Scancode scancode;
    Key key;
};

// Keys other than letters and digits, by their physical position.
constexpr KeyPair keyTable[] = {
    {SDL_SCANCODE_BACKSPACE, Key::Back},
    {SDL_SCANCODE_TAB, Key::Tab},
    {SDL_SCANCODE_RETURN, Key::Return},
    {SDL_SCANCODE_KP_ENTER, Key::Return},
    {SDL_SCANCODE_LSHIFT, Key::Shift},
    {SDL_SCANCODE_RSHIFT, Key::Shift},
    {SDL_SCANCODE_LCTRL, Key::Control},
    {SDL_SCANCODE_RCTRL, Key::Control},
    {SDL_SCANCODE_LALT, Key::Menu},
    {SDL_SCANCODE_RALT, Key::Menu},
    {SDL_SCANCODE_PAUSE, Key::Pause},
    {SDL_SCANCODE_CAPSLOCK, Key::Capital},
    {SDL_SCANCODE_ESCAPE, Key::Escape},
    {SDL_SCANCODE_SPACE, Key::Space},
    {SDL_SCANCODE_PAGEUP, Key::Prior},
    {SDL_SCANCODE_PAGEDOWN, Key::Next},
    {SDL_SCANCODE_END, Key::End},
    {SDL_SCANCODE_HOME, Key::Home},
    {SDL_SCANCODE_LEFT, Key::Left},
    {SDL_SCANCODE_UP, Key::Up},
    {SDL_SCANCODE_RIGHT, Key::Right},
    {SDL_SCANCODE_DOWN, Key::Down},
    {SDL_SCANCODE_PRINTSCREEN, Key::Snapshot},
    {SDL_SCANCODE_INSERT, Key::Insert},
    {SDL_SCANCODE_DELETE, Key::Delete},
    {SDL_SCANCODE_LGUI, Key::LeftWindows},
    {SDL_SCANCODE_RGUI, Key::RightWindows},
    {SDL_SCANCODE_APPLICATION, Key::Apps},
    {SDL_SCANCODE_KP_0, Key::Numpad0},
    {SDL_SCANCODE_KP_1, Key::Numpad1},
    {SDL_SCANCODE_KP_2, Key::Numpad2},
    {SDL_SCANCODE_KP_3, Key::Numpad3},
    {SDL_SCANCODE_KP_4, Key::Numpad4},
    {SDL_SCANCODE_KP_5, Key::Numpad5},
    {SDL_SCANCODE_KP_6, Key::Numpad6},
    {SDL_SCANCODE_KP_7, Key::Numpad7},
    {SDL_SCANCODE_KP_8, Key::Numpad8},
    {SDL_SCANCODE_KP_9, Key::Numpad9},
    {SDL_SCANCODE_KP_MULTIPLY, Key::Multiply},
    {SDL_SCANCODE_KP_PLUS, Key::Add},
    {SDL_SCANCODE_KP_MINUS, Key::Subtract},
    {SDL_SCANCODE_KP_PERIOD, Key::Decimal},
    {SDL_SCANCODE_KP_DIVIDE, Key::Divide},
    {SDL_SCANCODE_F1, Key::F1},
    {SDL_SCANCODE_F2, Key::F2},
    {SDL_SCANCODE_F3, Key::F3},
    {SDL_SCANCODE_F4, Key::F4},
    {SDL_SCANCODE_F5, Key::F5},
    {SDL_SCANCODE_F6, Key::F6},
    {SDL_SCANCODE_F7, Key::F7},
    {SDL_SCANCODE_F8, Key::F8},
    {SDL_SCANCODE_F9, Key::F9},
    {SDL_SCANCODE_F10, Key::F10},
    {SDL_SCANCODE_F11, Key::F11},
    {SDL_SCANCODE_F12, Key::F12},
    {SDL_SCANCODE_NUMLOCKCLEAR, Key::NumLock},
    {SDL_SCANCODE_SCROLLLOCK, Key::ScrollLock},
    {SDL_SCANCODE_SEMICOLON, Key::Semicolon},
    {SDL_SCANCODE_EQUALS, Key::Equals},
    {SDL_SCANCODE_COMMA, Key::Comma},
    {SDL_SCANCODE_MINUS, Key::Minus},
    {SDL_SCANCODE_PERIOD, Key::Period},
    {SDL_SCANCODE_SLASH, Key::Slash},
    {SDL_SCANCODE_GRAVE, Key::Grave},
    {SDL_SCANCODE_LEFTBRACKET, Key::LeftBracket},
    {SDL_SCANCODE_BACKSLASH, Key::Backslash},
    {SDL_SCANCODE_RIGHTBRACKET, Key::RightBracket},
    {SDL_SCANCODE_APOSTROPHE, Key::Apostrophe},
};

Key letterOrDigitFromScancode(int scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return static_cast<Key>('A' + (scancode - SDL_SCANCODE_A));
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return static_cast<Key>('1' + (scancode - SDL_SCANCODE_1));
    }
    if (scancode == SDL_SCANCODE_0) {
        return Key{'0'};
    }
    return Key::None;
}

} // namespace

Key keyFromSdl(int keycode, int scancode) {
    // Letters and digits follow the keyboard layout, as the desktop's codes do.
    if (keycode >= SDLK_a && keycode <= SDLK_z) {
        return static_cast<Key>('A' + (keycode - SDLK_a));
    }
    if (keycode >= SDLK_0 && keycode <= SDLK_9) {
        return static_cast<Key>('0' + (keycode - SDLK_0));
    }
    for (const KeyPair& k : keyTable) {
        if (k.scancode == scancode) {
            return k.key;
        }
    }
    return letterOrDigitFromScancode(scancode);
}

bool sdlKeyHeld(Key key) {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    if (!state) {
        return false;
    }
    auto held = [&](int scancode) { return scancode > 0 && scancode < count && state[scancode]; };
    const int c = code(key);
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
        SDL_Keycode sym = c >= 'A' ? SDLK_a + (c - 'A') : c;
        return held(SDL_GetScancodeFromKey(sym));
    }
    for (const KeyPair& k : keyTable) {
        if (k.key == key && held(k.scancode)) {
            return true;
        }
    }
    return false;
}

} // namespace platform
