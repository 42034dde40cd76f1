#pragma once

namespace platform {

// One mode of the display as the desktop uses it.
struct DisplayMode {
    int width = 0;
    int height = 0;
    // Bits per pixel counted the way the desktop stores a pixel (true colour is 32).
    int bitsPerPixel = 0;
    int refreshRate = 0;
};

} // namespace platform
