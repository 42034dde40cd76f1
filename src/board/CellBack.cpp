#include "board/CellBack.h"

#include <algorithm>

int CellBack::fillAfterExplosion(int fill) {
    switch (fill) {
    case Locked:
        return Empty; // the explosion of its ball unlocks the cell
    case Empty:
        return Half;
    default:
        return Filled;
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
