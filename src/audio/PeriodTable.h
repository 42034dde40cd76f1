#pragma once

#include <cstdint>

// Note periods and their playback frequencies for both frequency tables of
// a module (linear, or the Amiga period table).
class PeriodTable {
public:
    // The Amiga table's period of note n (0 = C-0), without finetune.
    static int amiga(int n);
    // The period of note n (relative note included) with a sample finetune.
    static int notePeriod(int n, int finetune, bool linear);
    // Playback frequency in Hz of an effective period (not 0).
    static int frequency(int period, bool linear);
    // 32.32 fixed-point sample step at the mixing rate for a frequency; below
    // 100 Hz counts as 100 Hz.
    static std::int64_t step(int frequency, int rate);
};
