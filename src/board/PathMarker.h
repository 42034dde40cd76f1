#pragma once

#include "board/Point.h"

// The mark of a cell on the previewed path; it fades in while the cell lies
// on the path and out otherwise.
struct PathMarker {
    explicit PathMarker(Point point) : point(point) {}

    void update();

    float alpha = 0.0f;
    float fadeStep = -0.01f;
    Point point;
};
