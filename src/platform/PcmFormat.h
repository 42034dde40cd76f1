#pragma once

namespace platform {

// The layout of a block of PCM sound: 8-bit unsigned or 16-bit signed
// little-endian samples, one or two interleaved channels.
struct PcmFormat {
    static constexpr int minRate = 100;
    static constexpr int maxRate = 200000;

    int channels = 0;
    int rate = 0;
    int bits = 0;

    int frameBytes() const { return channels * bits / 8; }
    // The byte that sounds as silence: 128 for 8-bit data, else 0.
    unsigned char silence() const { return bits == 8 ? 128 : 0; }
    bool isSupported() const {
        return (channels == 1 || channels == 2) && (bits == 8 || bits == 16) && rate >= minRate &&
               rate <= maxRate;
    }
};

} // namespace platform
