#pragma once

#include "board/Point.h"
#include "board/Rgba.h"

// One spark of the effect layer. The picture (a group and frame of the
// particle sprite) is chosen from groupPick and framePick, two raw random
// draws kept so that the rules draw the same numbers whether or not pictures
// are loaded.
struct Particle {
    Point point;
    Point velocity; // per 30 ms, slowed by the remaining life
    Rgba colour;    // colour.a is the remaining life, 1 at the start
    float fadeRate = 0.05f;
    float size = 0.0f; // 0 keeps the picture's own size
    int groupPick = 0;
    int framePick = 0;

    // One step; true when the particle has died.
    bool update(float elapsedMs);
};
