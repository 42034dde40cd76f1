#include "platform/Letterbox.h"

#include <algorithm>
#include <cmath>

namespace platform {

Letterbox::Letterbox(int surfaceWidth, int surfaceHeight, int clientWidth, int clientHeight)
    : clientWidth_(clientWidth), clientHeight_(clientHeight) {
    if (surfaceWidth <= 0 || surfaceHeight <= 0 || clientWidth <= 0 || clientHeight <= 0) {
        return;
    }
    double scale = std::min(static_cast<double>(surfaceWidth) / clientWidth,
                            static_cast<double>(surfaceHeight) / clientHeight);
    int w = std::max(1, static_cast<int>(std::lround(clientWidth * scale)));
    int h = std::max(1, static_cast<int>(std::lround(clientHeight * scale)));
    area_.left = (surfaceWidth - w) / 2;
    area_.top = (surfaceHeight - h) / 2;
    area_.right = area_.left + w;
    area_.bottom = area_.top + h;
}

Point Letterbox::toClient(Point surface) const {
    if (area_.width() <= 0 || area_.height() <= 0) {
        return surface;
    }
    // Floor, not truncation, so that a point just left of the area is negative.
    double x =
        std::floor(static_cast<double>(surface.x - area_.left) * clientWidth_ / area_.width());
    double y =
        std::floor(static_cast<double>(surface.y - area_.top) * clientHeight_ / area_.height());
    return Point{static_cast<int>(x), static_cast<int>(y)};
}

} // namespace platform
