#include "platform/Random.h"

#include "platform/Clock.h"

namespace {
unsigned state = 1;
}

void Random::seed(unsigned s) { state = s; }

void Random::seedFromClock() { seed(platform::milliseconds()); }

int Random::rand() {
    state = state * 214013u + 2531011u;
    return static_cast<int>((state >> 16) & 0x7fff);
}
