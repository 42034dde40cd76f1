#include "platform/Random.h"

#include "platform/Clock.h"

namespace {
// One sequence per thread: the game has one thread, and tools that play
// several levels at once keep each game a function of its own seed.
thread_local unsigned state = 1;
} // namespace

void Random::seed(unsigned s) {
    state = s;
}

void Random::seedFromClock() {
    seed(platform::milliseconds());
}

int Random::rand() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7fff);
}
