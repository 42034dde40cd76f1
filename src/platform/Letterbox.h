#pragma once

#include "platform/Geometry.h"

namespace platform {

// Fits a client of fixed size into a larger surface, scaled evenly and
// centred, and maps surface pixels back to client pixels.
class Letterbox {
public:
    Letterbox() = default;
    Letterbox(int surfaceWidth, int surfaceHeight, int clientWidth, int clientHeight);

    // Where the scaled client lies on the surface (origin top left).
    Rect area() const { return area_; }
    // A surface pixel in client pixels; points on the bars fall outside the client.
    Point toClient(Point surface) const;

private:
    Rect area_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
};

} // namespace platform
