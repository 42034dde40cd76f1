#include "SeededRandom.h"

SeededRandom::SeededRandom(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {
    for (int i = 0; i < 4; ++i) {
        next();
    }
}

std::uint32_t SeededRandom::next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return static_cast<std::uint32_t>((state_ * 0x2545F4914F6CDD1Dull) >> 32);
}

int SeededRandom::below(int n) {
    return static_cast<int>(next() % static_cast<std::uint32_t>(n));
}

double SeededRandom::unit() {
    return next() / 4294967296.0;
}

double SeededRandom::signedUnit() {
    return unit() * 2.0 - 1.0;
}

double SeededRandom::between(double lo, double hi) {
    return lo + (hi - lo) * unit();
}

bool SeededRandom::chance(double p) {
    return unit() < p;
}
