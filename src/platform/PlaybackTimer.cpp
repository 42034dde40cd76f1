#include "platform/PlaybackTimer.h"

#include "platform/Clock.h"

namespace platform {

void PlaybackTimer::start() {
    startMs_ = milliseconds();
}

// Unsigned subtraction keeps counting across the 32-bit wrap of the clock.
unsigned PlaybackTimer::elapsed() const {
    return milliseconds() - startMs_;
}

std::uint64_t PlaybackTimer::frames(int rate) const {
    return static_cast<std::uint64_t>(elapsed()) * static_cast<std::uint64_t>(rate) / 1000;
}

} // namespace platform
