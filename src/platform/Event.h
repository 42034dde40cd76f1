#pragma once

#include "platform/ButtonFlags.h"
#include "platform/Geometry.h"
#include "platform/Key.h"

// One event of the game's window as the window procedure receives it.
namespace platform {

enum class EventKind {
    None,
    Activate, // active
    Size,     // sizeKind
    Close,    // altF4
    Quit,     // exitCode
    KeyDown,  // key, repeat
    Char,     // character, repeat
    // The mouse kinds come last (isMouse).
    MouseMove,       // point, buttons
    LeftButtonDown,  // point, buttons
    LeftButtonUp,    // point, buttons
    RightButtonDown, // point, buttons
    RightButtonUp,   // point, buttons
};

enum class SizeKind { Restored = 0, Minimized = 1 };

struct Event {
    EventKind kind = EventKind::None;
    // Client pixels, signed 16-bit: left of or above the client is negative.
    Point point{};
    ButtonFlags buttons{};
    Key key = Key::None;
    unsigned short character = 0;
    int repeat = 0;
    SizeKind sizeKind = SizeKind::Restored;
    bool active = false;
    // Whether F4 was held when the close was asked for: Alt+F4 leaves the
    // decision to the game, the window manager's close does not.
    bool altF4 = false;
    int exitCode = 0;

    bool isMouse() const { return kind >= EventKind::MouseMove; }

    static Event mouse(EventKind kind, Point point, ButtonFlags buttons = ButtonFlags());
    static Event keyDown(Key key, int repeat = 1);
    static Event typed(unsigned short character, int repeat = 1);
    static Event activation(bool active);
    static Event resize(SizeKind sizeKind);
    static Event close(bool altF4);
    static Event quit(int exitCode);
};

} // namespace platform
