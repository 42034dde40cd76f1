#include "Picture.h"

#include <algorithm>
#include <cstring>

Picture Picture::flippedVertically() const {
    Picture out(width, height);
    const std::size_t row = static_cast<std::size_t>(width) * 4;
    for (int y = 0; y < height; ++y) {
        std::memcpy(out.at(0, height - 1 - y), at(0, y), row);
    }
    return out;
}

void Picture::place(const Picture& part, int x, int y) {
    for (int py = 0; py < part.height; ++py) {
        const int ty = y + py;
        if (ty < 0 || ty >= height) {
            continue;
        }
        const int x0 = std::max(0, x);
        const int x1 = std::min(width, x + part.width);
        if (x1 <= x0) {
            continue;
        }
        std::memcpy(at(x0, ty), part.at(x0 - x, py), static_cast<std::size_t>(x1 - x0) * 4);
    }
}
