#include "board/Effect.h"

#include "audio/CSoundManager.h"
#include "board/EffectLayer.h"
#include "board/SoundIds.h"

namespace {
constexpr float trailSize = 16.0f;
}

void Effect::playStartSound() {
    if (!soundPlayed_) {
        soundPlayed_ = true;
        CSoundManager::instance()->play(SoundIds::bowl, true, false);
    }
}

bool Effect::advance(Point& point, Point end, float step) {
    Point toEnd = end - point;
    if (toEnd.length() <= step) {
        return false;
    }
    point = point + toEnd.normalised() * step;
    if (EffectLayer* layer = EffectLayer::instance()) {
        layer->spawnParticle(trailSize, point, {});
    }
    return true;
}
