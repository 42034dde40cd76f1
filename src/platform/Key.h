#pragma once

// The game's key codes. The numbers are the classic desktop virtual-key codes,
// so that key settings and stored values keep their meaning on every platform.
// Letters are 'A'..'Z' (65-90) and digits '0'..'9' (48-57): Key{'A'}.
namespace platform {

enum class Key : int {
    None = 0,
    Back = 8,
    Tab = 9,
    Return = 13,
    Shift = 16,
    Control = 17,
    Menu = 18, // Alt
    Pause = 19,
    Capital = 20,
    Escape = 27,
    Space = 32,
    Prior = 33, // Page Up
    Next = 34,  // Page Down
    End = 35,
    Home = 36,
    Left = 37,
    Up = 38,
    Right = 39,
    Down = 40,
    Snapshot = 44, // Print Screen
    Insert = 45,
    Delete = 46,
    LeftWindows = 91,
    RightWindows = 92,
    Apps = 93,
    Numpad0 = 96,
    Numpad1 = 97,
    Numpad2 = 98,
    Numpad3 = 99,
    Numpad4 = 100,
    Numpad5 = 101,
    Numpad6 = 102,
    Numpad7 = 103,
    Numpad8 = 104,
    Numpad9 = 105,
    Multiply = 106,
    Add = 107,
    Subtract = 109,
    Decimal = 110,
    Divide = 111,
    F1 = 112,
    F2 = 113,
    F3 = 114,
    F4 = 115,
    F5 = 116,
    F6 = 117,
    F7 = 118,
    F8 = 119,
    F9 = 120,
    F10 = 121,
    F11 = 122,
    F12 = 123,
    NumLock = 144,
    ScrollLock = 145,
    // The punctuation keys of a US layout.
    Semicolon = 186,
    Equals = 187,
    Comma = 188,
    Minus = 189,
    Period = 190,
    Slash = 191,
    Grave = 192,
    LeftBracket = 219,
    Backslash = 220,
    RightBracket = 221,
    Apostrophe = 222,
};

// The number the screens and the settings compare a key with.
constexpr int code(Key key) {
    return static_cast<int>(key);
}

} // namespace platform
