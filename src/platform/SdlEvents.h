#pragma once

#include "platform/Event.h"

#include <deque>
#include <functional>

union SDL_Event;

namespace platform {

// SDL's events turned into the game's: the button and modifier state is
// tracked here, because SDL's own state is already that of the last event it
// has read, not of the one being translated.
class SdlEventTranslator {
public:
    // Window pixels to client pixels (full screen scales and letterboxes).
    using ToClient = std::function<Point(int x, int y)>;

    // Appends what one SDL event means to the game (often nothing) to out.
    void translate(const SDL_Event& event, const ToClient& toClient, std::deque<Event>& out);
    // Forgets held buttons and modifiers (focus lost, window destroyed).
    void reset();

private:
    ButtonFlags mouseFlags() const;
    bool systemKey() const;

    ButtonFlags buttons_;
    unsigned modifiers_ = 0;
};

} // namespace platform
