#pragma once

// The one random generator every game rule draws from. It behaves like the
// classic C runtime generator: values 0 to 32767 from a 32-bit linear
// congruential sequence, so a seed replays the same game.
class Random {
public:
    static constexpr int max = 32767;
    static void seed(unsigned seed);
    // Seeds with the millisecond clock (what a new field or a scramble does).
    static void seedFromClock();
    static int rand();
};
