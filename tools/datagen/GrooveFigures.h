#pragma once

#include "TuneStyle.h"

// One bar of each groove: the bass (R root, O octave, F fifth, T third,
// A a step into the next chord, - held, . silent) plain and busy, and the
// drums (x hit, g ghost or soft, o open hat).
struct GrooveFigures {
    const char* bass;
    const char* busyBass;
    const char* kick;
    const char* snare;
    const char* hats;

    static const GrooveFigures& of(TuneStyle::Groove groove);
};
