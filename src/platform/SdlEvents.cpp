#include "platform/SdlEvents.h"

#include "platform/KeyState.h"
#include "platform/SdlKeys.h"

#include <SDL.h>
#include <algorithm>
#include <cstdint>
#include <limits>

namespace platform {
namespace {

// The modifier keys the game tracks, as bits of SdlEventTranslator::modifiers_.
enum Modifier : unsigned {
    LeftShift = 1,
    RightShift = 2,
    LeftCtrl = 4,
    RightCtrl = 8,
    LeftAlt = 16
};

unsigned modifierBit(SDL_Scancode scancode) {
    switch (scancode) {
    case SDL_SCANCODE_LSHIFT:
        return LeftShift;
    case SDL_SCANCODE_RSHIFT:
        return RightShift;
    case SDL_SCANCODE_LCTRL:
        return LeftCtrl;
    case SDL_SCANCODE_RCTRL:
        return RightCtrl;
    case SDL_SCANCODE_LALT:
        return LeftAlt;
    default:
        return 0;
    }
}

bool buttonBit(Uint8 button, ButtonFlags::Bit& bit) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        bit = ButtonFlags::Bit::LeftButton;
        return true;
    case SDL_BUTTON_RIGHT:
        bit = ButtonFlags::Bit::RightButton;
        return true;
    case SDL_BUTTON_MIDDLE:
        bit = ButtonFlags::Bit::MiddleButton;
        return true;
    default:
        return false;
    }
}

// Mouse positions are signed 16-bit: one far off the window stays at the edge
// of that range instead of wrapping round to the other side.
Point clampToShort(Point p) {
    constexpr int low = std::numeric_limits<std::int16_t>::min();
    constexpr int high = std::numeric_limits<std::int16_t>::max();
    return Point{std::clamp(p.x, low, high), std::clamp(p.y, low, high)};
}

} // namespace

void SdlEventTranslator::reset() {
    buttons_ = ButtonFlags();
    modifiers_ = 0;
}

ButtonFlags SdlEventTranslator::mouseFlags() const {
    ButtonFlags flags = buttons_;
    flags.set(ButtonFlags::Bit::Shift, (modifiers_ & (LeftShift | RightShift)) != 0);
    flags.set(ButtonFlags::Bit::Control, (modifiers_ & (LeftCtrl | RightCtrl)) != 0);
    return flags;
}

// Left Alt makes a key a system key: the game's window never sees it as a
// key press, except that Alt+F4 asks the window to close.
bool SdlEventTranslator::systemKey() const {
    return (modifiers_ & LeftAlt) != 0;
}

void SdlEventTranslator::translate(const SDL_Event& event, const ToClient& toClient,
                                   std::deque<Event>& out) {
    auto mouse = [&](EventKind kind, int x, int y) {
        out.push_back(Event::mouse(kind, clampToShort(toClient(x, y)), mouseFlags()));
    };
    switch (event.type) {
    case SDL_QUIT:
        // Closing the window (the window manager's close, Alt+F4, a signal).
        out.push_back(Event::close(isKeyHeld(Key::F4)));
        break;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            out.push_back(Event::activation(true));
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            reset();
            out.push_back(Event::activation(false));
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            out.push_back(Event::resize(SizeKind::Minimized));
            break;
        case SDL_WINDOWEVENT_RESTORED:
            out.push_back(Event::resize(SizeKind::Restored));
            break;
        default:
            break;
        }
        break;
    case SDL_MOUSEMOTION:
        mouse(EventKind::MouseMove, event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        const bool down = event.type == SDL_MOUSEBUTTONDOWN;
        ButtonFlags::Bit bit{};
        if (buttonBit(event.button.button, bit)) {
            buttons_.set(bit, down);
        }
        if (event.button.button == SDL_BUTTON_LEFT) {
            mouse(down ? EventKind::LeftButtonDown : EventKind::LeftButtonUp, event.button.x,
                  event.button.y);
        } else if (event.button.button == SDL_BUTTON_RIGHT) {
            mouse(down ? EventKind::RightButtonDown : EventKind::RightButtonUp, event.button.x,
                  event.button.y);
        }
        break;
    }
    case SDL_KEYUP:
        modifiers_ &= ~modifierBit(event.key.keysym.scancode);
        break;
    case SDL_KEYDOWN: {
        modifiers_ |= modifierBit(event.key.keysym.scancode);
        const Key key = keyFromSdl(event.key.keysym.sym, event.key.keysym.scancode);
        if (systemKey()) {
            if (key == Key::F4) {
                out.push_back(Event::close(true));
            }
        } else if (key != Key::None) {
            out.push_back(Event::keyDown(key));
        }
        break;
    }
    case SDL_TEXTINPUT:
        if (systemKey()) {
            break;
        }
        // Only printable ASCII: the font has no other glyphs, and the bytes of
        // a longer UTF-8 sequence are not characters of their own.
        for (char c : event.text.text) {
            if (c == '\0') {
                break;
            }
            const auto ch = static_cast<unsigned char>(c);
            if (ch >= 32 && ch <= 126) {
                out.push_back(Event::typed(ch));
            }
        }
        break;
    default:
        break;
    }
}

} // namespace platform
