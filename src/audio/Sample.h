#pragma once

#include <cstdint>
#include <vector>

// One sample of a module, always held as 16-bit data after loading.
struct Sample {
    enum LoopType { noLoop = 1, forwardLoop = 2, pingPongLoop = 4 };

    // length samples, then one guard sample after the loop end and some zeroed
    // slack, so that interpolation may read one sample past any position.
    std::vector<std::int16_t> data = std::vector<std::int16_t>(slackSamples + 1);
    std::uint32_t length = 0;
    std::uint32_t loopStart = 0;
    std::uint32_t loopLength = 0;
    int volume = 0; // 0..64
    int finetune = 0;
    int loopType = noLoop;
    int bits = 16;
    int panning = 128; // 0..255
    int relativeNote = 0;

    static constexpr int slackSamples = 8;

    std::uint32_t loopEnd() const { return loopStart + loopLength; }
};
