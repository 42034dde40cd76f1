#pragma once

#include "board/Point.h"

// A running effect of a special ball (a blast, a colour bomb). It acts on the
// field it was made for and draws only through the effect layer's particles.
class Effect {
public:
    virtual ~Effect() = default;
    // One step; true when the effect has finished and can be deleted.
    virtual bool update(float elapsedMs) = 0;

protected:
    // Plays the effect's sound on its first update only.
    void playStartSound();
    // Moves point a fixed step toward end, leaving a trail particle; false
    // (and no move) when end is within the step.
    static bool advance(Point& point, Point end, float step);

private:
    bool soundPlayed_ = false;
};
