#include "board/ColourBomb.h"

#include "audio/CSoundManager.h"
#include "board/Field.h"
#include "board/SoundIds.h"

namespace {
constexpr int ballPoints = 100;
} // namespace

ColourBomb::ColourBomb(Field& field, Point centre, int colour) : m_field(field), m_colour(colour) {
    for (int r = 0; r < field.rows(); ++r) {
        for (int c = 0; c < field.width(r); ++c) {
            if (Ball* ball = field.ballAt(r, c); ball && ball->colour == colour) {
                m_projectiles.push_back({centre, ball->point, {r, c}});
            }
        }
    }
}

bool ColourBomb::update(float /*elapsedMs*/) {
    playStartSound();
    for (std::size_t i = 0; i < m_projectiles.size();) {
        Projectile& p = m_projectiles[i];
        if (advance(p.point, p.end, stepLength)) {
            ++i;
            continue;
        }
        // Whatever ball stands on the target cell now is hit, if it rests.
        if (Ball* ball = m_field.ballAt(p.target); ball && ball->isIdle()) {
            m_field.addScore(ballPoints, ball->point, false);
            ball->startExploding(true);
            CSoundManager::instance()->play(SoundIds::glassBreaks, true, false);
        }
        m_projectiles.erase(m_projectiles.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return m_projectiles.empty();
}
