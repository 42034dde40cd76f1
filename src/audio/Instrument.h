#pragma once

#include "audio/Envelope.h"

#include <array>
#include <cstdint>

struct Sample;

// One instrument of a module. Slots without a sample point to the module's
// shared empty sample, so a sample pointer is never null.
struct Instrument {
    static constexpr int maxSamples = 16;

    int sampleCount = 0;
    std::array<Sample*, maxSamples> samples{};
    std::array<std::uint8_t, 96> noteMap{};
    Envelope volumeEnvelope;
    Envelope panningEnvelope;
    int vibratoType = 0;
    int vibratoSweep = 0;
    int vibratoDepth = 0;
    int vibratoRate = 0;
    int fadeout = 0; // twice the stored value
};
