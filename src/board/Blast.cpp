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

Blast::Blast(Field& field, Point centre, float radius) : m_field(field) {
    m_rays.reserve(rayCount);
    for (int i = 0; i < rayCount; ++i) {
        double angle = i * 5.0 * std::numbers::pi / 180.0;
        Point direction{static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
        m_rays.push_back({centre, centre + direction * radius});
    }
}

bool Blast::update(float /*elapsedMs*/) {
    playStartSound();
    for (std::size_t i = 0; i < m_rays.size();) {
        Ray& ray = m_rays[i];
        if (!advance(ray.point, ray.end, stepLength)) {
            m_rays.erase(m_rays.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        hit(ray.point);
        ++i;
    }
    return m_rays.empty();
}

void Blast::hit(Point at) {
    Cell cell = m_field.geometry().cellAt(at);
    if (Ball* ball = m_field.ballAt(cell); ball && ball->isIdle()) {
        m_field.addScore(ballPoints, ball->point, false);
        ball->startExploding(true);
        CSoundManager::instance()->play(SoundIds::glassBreaks, false, false);
    }
    CellBack* back = m_field.isCell(cell) ? m_field.cellBackAt(cell) : nullptr;
    if (back && back->fill != CellBack::Filled) {
        m_field.addScore(fillPoints, back->point, false);
        if (EffectLayer* layer = EffectLayer::instance()) {
            layer->burst(back->point, fillBurstParticles, -1.0f);
        }
        back->fill = CellBack::Filled;
    }
}
