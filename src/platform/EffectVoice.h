#pragma once

#include "platform/PcmFormat.h"
#include "platform/PlaybackTimer.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

// The playing state of one effect buffer, shared with the mixer's audio
// thread (and so changed only under the mixer's lock).
struct EffectVoice {
    PcmFormat format;
    // Duplicated buffers share their bytes.
    std::shared_ptr<std::vector<std::uint8_t>> data;
    std::uint64_t frames = 0;
    // Source frames in 32.32 fixed point.
    std::uint64_t position = 0;
    std::uint64_t step = 0;
    int volume = 0; // hundredths of a decibel
    std::int32_t gain = 65536;
    bool playing = false;
    bool looping = false;
    // Without a device: the frame playing started from, and the time since.
    std::uint64_t startFrame = 0;
    PlaybackTimer timer;
};

} // namespace platform
