#include "board/Ball.h"

#include "audio/CSoundManager.h"
#include "board/EffectLayer.h"
#include "board/SoundIds.h"
#include "platform/Random.h"

namespace {
constexpr int burstParticles = 25;
constexpr float popGrowth = 0.06f;
constexpr float popScale = 1.5f;
constexpr float settleStep = 0.03f;
} // namespace

Ball::Ball(int colour, Point point)
    : colour(colour), frameRate(Random::rand() % 30 + 15), point(point) {}

void Ball::startPopping() {
    alpha = 1.0f;
    state = State::Popping;
    scale = 0.5f;
    popSoundPlayed = false;
    delay = static_cast<float>(Random::rand() % 3000);
}

void Ball::startExploding(bool withBurst) {
    alpha = 1.0f;
    state = State::Exploding;
    alphaStep = -0.03f;
    particlesSpawned = withBurst;
    if (withBurst) {
        emitBurst();
    }
}

void Ball::emitBurst() {
    if (EffectLayer* layer = EffectLayer::instance()) {
        layer->burst(point, burstParticles, 0.0f);
    }
}

void Ball::update(float elapsedMs) {
    if (size > maxSize) {
        size = maxSize;
    }
    switch (state) {
    case State::Popping:
        if (delay > 0.0f) {
            delay -= elapsedMs;
            break;
        }
        if (!popSoundPlayed) {
            popSoundPlayed = true;
            CSoundManager::instance()->play(SoundIds::waterDrop, true, false);
        }
        scale += popGrowth;
        if (scale >= popScale) {
            state = State::Idle;
        }
        break;
    case State::Exploding:
        delay -= elapsedMs;
        if (delay < 0.0f) {
            if (!particlesSpawned) {
                particlesSpawned = true;
                emitBurst();
            }
            alpha += alphaStep * (elapsedMs / 6.0f);
            if (alpha < 0.0f) {
                alpha = 0.0f;
                alphaStep = 0.0f;
                state = State::Exploded;
            }
        }
        break;
    case State::Moving:
        travel(elapsedMs);
        break;
    case State::Idle:
        if (scale > 1.0f) {
            scale -= settleStep;
            if (scale < 1.0f) {
                scale = 1.0f;
            }
        }
        break;
    default:
        break;
    }
}

void Ball::travel(float elapsedMs) {
    if (waypoints.empty()) {
        state = State::Idle;
        return;
    }
    Point to = waypoints.front() - point;
    float remaining = to.length();
    float stepLength = speed * elapsedMs / 6.0f;
    if (stepLength >= remaining) {
        point = waypoints.front();
        waypoints.pop_front();
    } else {
        point = point + to.normalised() * stepLength;
    }
}
