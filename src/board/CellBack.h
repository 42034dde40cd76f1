#pragma once

#include "board/Point.h"

// The background of one cell: how far it is filled, and its fade in and out.
struct CellBack {
    enum class Fill { Empty = 0, Half = 1, Filled = 3, Locked = 4 };

    CellBack(Fill fill, Point point) : fill(fill), point(point) {}

    // The fill after the ball on the cell has exploded.
    static Fill fillAfterExplosion(Fill fill);
    // Whether a saved number names a fill.
    static bool isValidFill(int number) {
        return number == static_cast<int>(Fill::Empty) || number == static_cast<int>(Fill::Half) ||
               number == static_cast<int>(Fill::Filled) || number == static_cast<int>(Fill::Locked);
    }

    // Counts the delay down, then fades by fadeStep once per update.
    void update(float elapsedMs);

    Fill fill = Fill::Empty;
    float alpha = 0.0f;
    float fadeStep = 0.05f;
    float delay = 0.0f; // ms
    Point point;
};
