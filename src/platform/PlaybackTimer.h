#pragma once

#include <cstdint>

namespace platform {

// Keeps time for an output without a device: how many frames a real device
// would have played since start(), read from the game's millisecond clock.
class PlaybackTimer {
public:
    void start();
    // Frames played at the given rate since start().
    std::uint64_t frames(int rate) const;
    // Milliseconds since start().
    unsigned elapsed() const;

private:
    unsigned startMs_ = 0;
};

} // namespace platform
