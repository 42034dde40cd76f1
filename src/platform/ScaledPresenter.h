#pragma once

#include "platform/Geometry.h"

namespace platform {

// Full-screen presentation without a display-mode change: the game draws into
// an off-screen buffer of its client size, and each frame that buffer is
// scaled into the middle of the real window with black bars around it.
// Needs framebuffer objects with blitting (GL 3.0 or the EXT extensions).
class ScaledPresenter {
public:
    using ProcLookup = void* (*)(const char* name);

    ~ScaledPresenter();

    // Whether the current context can do it (looks the entry points up).
    bool load(ProcLookup lookup);
    // Creates the off-screen buffer and directs drawing into it.
    bool begin(int clientWidth, int clientHeight);
    // Deletes the buffer; the context must still be current.
    void end();
    bool active() const { return framebuffer_ != 0; }
    // Copies the client, scaled, into the window's back buffer at the given area; the
    // game's state is left as it was, drawing still going off-screen.
    void present(int windowWidth, int windowHeight, const Rect& area);

private:
    struct Functions;
    Functions* gl_ = nullptr;
    unsigned framebuffer_ = 0;
    unsigned colorBuffer_ = 0;
    unsigned depthBuffer_ = 0;
    int width_ = 0;
    int height_ = 0;
};

} // namespace platform
