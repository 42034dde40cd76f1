#pragma once

#include "board/Cell.h"
#include "board/Effect.h"
#include "board/Point.h"

#include <vector>

class Field;

// Projectiles flying from a colour bomb to every ball of one colour; each
// explodes the ball it reaches if that ball is still idle.
class ColourBomb : public Effect {
public:
    static constexpr float stepLength = 2.75f; // per update

    // Aims at every ball of colour on the field, in row order.
    ColourBomb(Field& field, Point centre, int colour);

    bool update(float elapsedMs) override;
    int colour() const { return colour_; }
    int projectilesLeft() const { return static_cast<int>(projectiles_.size()); }

private:
    struct Projectile {
        Point point;
        Point end;
        Cell target;
    };

    Field& field_;
    int colour_;
    std::vector<Projectile> projectiles_;
};
