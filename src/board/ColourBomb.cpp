#include "board/ColourBomb.h"

#include "audio/CSoundManager.h"
#include "board/Field.h"
#include "board/SoundIds.h"

namespace {
constexpr int ballPoints = 100;
} // namespace

ColourBomb::ColourBomb(Field& field, Point centre, int colour) : field_(field), colour_(colour) {
    for (int r = 0; r < field.rows(); ++r) {
        for (int c = 0; c < field.width(r); ++c) {
            if (Ball* ball = field.ballAt(r, c); ball && ball->colour == colour) {
                projectiles_.push_back({centre, ball->point, {r, c}});
            }
        }
    }
}

bool ColourBomb::update(float /*elapsedMs*/) {
    playStartSound();
    for (std::size_t i = 0; i < projectiles_.size();) {
        Projectile& p = projectiles_[i];
        if (advance(p.point, p.end, stepLength)) {
            ++i;
            continue;
        }
        // Whatever ball stands on the target cell now is hit, if it rests.
        if (Ball* ball = field_.ballAt(p.target); ball && ball->isIdle()) {
            field_.addScore(ballPoints, ball->point, false);
            ball->startExploding(true);
            CSoundManager::instance()->play(SoundIds::glassBreaks, true, false);
        }
        projectiles_.erase(projectiles_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return projectiles_.empty();
}
