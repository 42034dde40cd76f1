#include "board/BoardSprites.h"

#include <cmath>

namespace {
BoardSprites registry;
// Far beyond any frame cycle: wrapping keeps the float precise over long runs.
constexpr float clockWrapMs = 3600000.0f;
} // namespace

BoardSprites& BoardSprites::current() {
    return registry;
}

void BoardSprites::reset() {
    registry = BoardSprites{};
}

void BoardSprites::advanceClock(float elapsedMs) {
    clockMs = std::fmod(clockMs + elapsedMs, clockWrapMs);
}
