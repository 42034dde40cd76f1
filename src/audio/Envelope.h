#pragma once

#include <array>
#include <cstdint>

// An instrument's volume or panning envelope as stored in the module.
struct Envelope {
    enum Type { on = 1, sustainOn = 2, loopOn = 4 };
    static constexpr int maxPoints = 12;

    std::array<std::uint16_t, maxPoints> x{};
    std::array<std::uint16_t, maxPoints> y{};
    int points = 0;
    int sustain = 0;
    int loopStart = 0;
    int loopEnd = 0;
    int type = 0;

    bool enabled() const { return (type & on) != 0; }
};
