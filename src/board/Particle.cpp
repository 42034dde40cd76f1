#include "board/Particle.h"

bool Particle::update(float elapsedMs) {
    float t = elapsedMs / 30.0f;
    point = point + velocity * (t * colour.a);
    colour.a -= t * fadeRate;
    return colour.a <= 0.0f;
}
