#include "board/Blast.h"

#include "audio/CSoundManager.h"
#include "board/EffectLayer.h"
#include "board/Field.h"
#include "board/SoundIds.h"

#include <cmath>
#include <numbers>

namespace {
constexpr int fillBurstParticles = 15;
constexpr int ballPoints = 100;
constexpr int fillPoints = 300;
} // namespace

Blast::Blast(Field& field, Point centre, float radius) : field_(field) {
    rays_.reserve(rayCount);
    for (int i = 0; i < rayCount; ++i) {
        double angle = i * 5.0 * std::numbers::pi / 180.0;
        Point direction{static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
        rays_.push_back({centre, centre + direction * radius});
    }
}

bool Blast::update(float /*elapsedMs*/) {
    playStartSound();
    for (std::size_t i = 0; i < rays_.size();) {
        Ray& ray = rays_[i];
        if (!advance(ray.point, ray.end, stepLength)) {
            rays_.erase(rays_.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        hit(ray.point);
        ++i;
    }
    return rays_.empty();
}

void Blast::hit(Point at) {
    Cell cell = field_.geometry().cellAt(at);
    if (Ball* ball = field_.ballAt(cell); ball && ball->isIdle()) {
        field_.addScore(ballPoints, ball->point, false);
        ball->startExploding(true);
        CSoundManager::instance()->play(SoundIds::glassBreaks, false, false);
    }
    CellBack* back = field_.isCell(cell) ? field_.cellBackAt(cell) : nullptr;
    if (back && back->fill != CellBack::Fill::Filled) {
        field_.addScore(fillPoints, back->point, false);
        if (EffectLayer* layer = EffectLayer::instance()) {
            layer->burst(back->point, fillBurstParticles, -1.0f);
        }
        back->fill = CellBack::Fill::Filled;
    }
}
