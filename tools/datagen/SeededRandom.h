#pragma once

#include <cstdint>
#include <vector>

// A small deterministic generator for the data: the same seed gives the same
// numbers on every machine (xorshift with a fixed multiplier on output).
class SeededRandom {
public:
    explicit SeededRandom(std::uint64_t seed);

    std::uint32_t next();
    // 0 .. n-1 (n > 0).
    int below(int n);
    // [0, 1)
    double unit();
    // [-1, 1)
    double signedUnit();
    double between(double lo, double hi);
    bool chance(double p);
    // One of the entries, each as likely (from not empty).
    template <typename T> const T& pick(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
    }

private:
    std::uint64_t state_;
};
