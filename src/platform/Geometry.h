#pragma once

// Points and rectangles in pixels, desktop or client coordinates as the caller says.
namespace platform {

struct Point {
    int x = 0;
    int y = 0;
};

// Edges like a desktop rectangle: right and bottom lie just outside.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

} // namespace platform
