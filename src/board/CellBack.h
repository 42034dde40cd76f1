#pragma once

#include "board/Point.h"

// The background of one cell: how far it is filled, and its fade in and out.
struct CellBack {
    enum Fill { Empty = 0, Half = 1, Filled = 3, Locked = 4 };

    CellBack(int fill, Point point) : fill(fill), point(point) {}

    // The fill after the ball on the cell has exploded.
    static int fillAfterExplosion(int fill);
    static bool isValidFill(int fill) {
        return fill == Empty || fill == Half || fill == Filled || fill == Locked;
    }

    // Counts the delay down, then fades by fadeStep once per update.
    void update(float elapsedMs);

    int fill = Empty;
    float alpha = 0.0f;
    float fadeStep = 0.05f;
    float delay = 0.0f; // ms
    Point point;
};
