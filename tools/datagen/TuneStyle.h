#pragma once

#include "Harmony.h"
#include "InstrumentBank.h"

#include <cstdint>
#include <string>

// What one tune is to be: its key, pace, groove and colour. The composer
// makes the rest from the seed.
struct TuneStyle {
    enum class Groove {
        Waltz,    // three beats, gentle, sparse drums
        Pop,      // syncopated bass, backbeat
        Drive,    // four on the floor, running bass
        Swing,    // shuffled eighths, walking bass
        HalfTime, // slow backbeat on three, long bass notes
    };

    std::string title;
    std::uint64_t seed = 1;
    int tonic = 48; // note of the tonic near C-4
    Harmony::Mode mode = Harmony::Mode::Major;
    int bpm = 125;
    int speed = 6;
    Groove groove = Groove::Pop;
    double seconds = 150; // the length aimed at
    InstrumentBank::Timbre timbre;
};
