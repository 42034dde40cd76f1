#pragma once

#include "board/Effect.h"
#include "board/Point.h"

#include <vector>

class Field;

// A ring of rays running out from a centre. Every step of a ray explodes the
// idle ball under it and fills the cell under it outright.
class Blast : public Effect {
public:
    static constexpr float ballRadius = 150.0f; // a blast ball in a line
    static constexpr float chainRadius = 45.0f; // the reward of five scoring moves
    static constexpr float stepLength = 1.75f;  // per update, whatever the frame time
    static constexpr int rayCount = 72;         // one every 5 degrees

    Blast(Field& field, Point centre, float radius);

    bool update(float elapsedMs) override;
    int raysLeft() const { return static_cast<int>(rays_.size()); }

private:
    struct Ray {
        Point point;
        Point end;
    };

    void hit(Point at);

    Field& field_;
    std::vector<Ray> rays_;
};
