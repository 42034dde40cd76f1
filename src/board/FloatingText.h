#pragma once

#include "board/Point.h"
#include "board/Rgba.h"

#include <string>

// A text of the effect layer (a score, "CELL LOCKED") that rises, grows and,
// after a short wait, fades out.
struct FloatingText {
    std::string text;
    Point point;
    Point velocity; // per update
    Rgba colour;    // colour.a falls to 0 at the end
    float size = 24.0f;
    float fadeRate = 0.02f;
    float delay = 200.0f; // ms before the fading starts

    // One step; true when the text has faded out.
    bool update(float elapsedMs);
};
