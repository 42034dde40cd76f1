#pragma once

#include <cstdint>
#include <vector>

// A RIFF/WAVE file of 16-bit PCM from float samples in -1 .. 1 (clipped).
class WaveFile {
public:
    static std::vector<std::uint8_t> encode(const std::vector<float>& samples, int rate,
                                            int channels = 1);
};
