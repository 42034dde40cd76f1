#pragma once

#include <cstdint>
#include <vector>

// The format record of a WAVE file's "fmt " chunk.
struct WaveFormat {
    static constexpr std::uint16_t pcm = 1;
    static constexpr std::uint16_t extensible = 0xFFFE;

    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
    // The extra bytes that follow a format other than plain PCM.
    std::vector<std::uint8_t> extra;

    // Plain integer samples: PCM, or the extensible format with the PCM sub-format.
    bool isPcm() const;
};
