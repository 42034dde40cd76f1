#pragma once

#include <cstdint>
#include <vector>

// A picture as the player sees it: straight (not premultiplied) RGBA, top row
// first. Files are encoded from it in whatever row order their use needs.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    Picture() = default;
    Picture(int w, int h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * h * 4, 0) {}

    std::uint8_t* at(int x, int y) { return &rgba[(static_cast<std::size_t>(y) * width + x) * 4]; }
    const std::uint8_t* at(int x, int y) const {
        return &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
    }
    bool empty() const { return width <= 0 || height <= 0; }

    // The picture with its rows in reverse order.
    Picture flippedVertically() const;
    // Copies `part` into this picture with its top-left corner at (x, y),
    // replacing the pixels (no blending); parts outside are clipped.
    void place(const Picture& part, int x, int y);
};
