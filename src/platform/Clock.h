#pragma once

// The millisecond clock and sleep every timed part of the game goes through.
// Tests install a fake clock to drive frames deterministically.
namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; wraps like a 32-bit counter.
    virtual unsigned milliseconds() = 0;
    virtual void sleep(unsigned ms) = 0;
};

// The clock in use: the system clock unless a test installed another.
Clock& clock();
// Installs a clock (not owned); nullptr restores the system clock.
void setClock(Clock* clock);

inline unsigned milliseconds() { return clock().milliseconds(); }
inline void sleep(unsigned ms) { clock().sleep(ms); }

} // namespace platform
