#include "board/PathMarker.h"

#include <algorithm>

void PathMarker::update() {
    alpha = std::clamp(alpha + fadeStep, 0.0f, 1.0f);
}
