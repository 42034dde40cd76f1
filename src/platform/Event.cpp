#include "platform/Event.h"

namespace platform {

Event Event::mouse(EventKind kind, Point point, ButtonFlags buttons) {
    return Event{.kind = kind, .point = point, .buttons = buttons};
}

Event Event::keyDown(Key key, int repeat) {
    return Event{.kind = EventKind::KeyDown, .key = key, .repeat = repeat};
}

Event Event::typed(unsigned short character, int repeat) {
    return Event{.kind = EventKind::Char, .character = character, .repeat = repeat};
}

Event Event::activation(bool active) {
    return Event{.kind = EventKind::Activate, .active = active};
}

Event Event::resize(SizeKind sizeKind) {
    return Event{.kind = EventKind::Size, .sizeKind = sizeKind};
}

Event Event::close(bool altF4) {
    return Event{.kind = EventKind::Close, .altF4 = altF4};
}

Event Event::quit(int exitCode) {
    return Event{.kind = EventKind::Quit, .exitCode = exitCode};
}

} // namespace platform
