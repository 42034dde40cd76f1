#include "board/FloatingText.h"

bool FloatingText::update(float elapsedMs) {
    delay -= elapsedMs;
    if (delay < 0.0f) {
        colour.a -= (elapsedMs / 30.0f) * fadeRate;
    }
    point = point + velocity;
    size += velocity.length() / 2.0f;
    return colour.a <= 0.0f;
}
