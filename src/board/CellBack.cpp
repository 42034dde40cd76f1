#include "board/CellBack.h"

#include <algorithm>

CellBack::Fill CellBack::fillAfterExplosion(Fill fill) {
    switch (fill) {
    case Fill::Locked:
        return Fill::Empty; // the explosion of its ball unlocks the cell
    case Fill::Empty:
        return Fill::Half;
    default:
        return Fill::Filled;
    }
}

void CellBack::update(float elapsedMs) {
    delay -= elapsedMs;
    if (delay > 0.0f) {
        return;
    }
    delay = 0.0f;
    alpha = std::clamp(alpha + fadeStep, 0.0f, 1.0f);
}
