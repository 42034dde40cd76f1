#include "persist/Scrambler.h"

#include "platform/Random.h"

std::vector<unsigned char> Scrambler::scramble(const unsigned char* plain, std::size_t n,
                                               const char* key, std::size_t m) {
    if (!plain || n == 0 || !key || m == 0)
        return {};
    Random::seedFromClock();
    const std::size_t r = static_cast<std::size_t>(Random::rand()) % (n <= 100 ? n : 100);

    std::vector<unsigned char> out(n + 1);
    out[0] = static_cast<unsigned char>(r);
    for (std::size_t i = 0; i < n; ++i)
        out[i + 1] = plain[(r + i) % n];
    for (std::size_t i = 1; i <= n; ++i) {
        const unsigned char previous = out[i - 1];
        out[i] = static_cast<unsigned char>(
            ((out[i] ^ previous) ^ static_cast<unsigned char>(key[i % m])) + previous);
    }
    return out;
}

std::vector<unsigned char> Scrambler::unscramble(const unsigned char* data, std::size_t n,
                                                 const char* key, std::size_t m) {
    if (!data || n < 2 || !key || m == 0)
        return {};
    const int r = static_cast<signed char>(data[0]);
    if (r < 0 || static_cast<std::size_t>(r) >= n)
        return {};

    // Byte i of the rotated text belongs at position r + i of the plain text,
    // counted modulo its length (an offset equal to that length is accepted).
    std::vector<unsigned char> out(n - 1);
    std::size_t position = static_cast<std::size_t>(r) % (n - 1);
    for (std::size_t i = 1; i < n; ++i) {
        const unsigned char previous = data[i - 1];
        out[position] = static_cast<unsigned char>(
            ((static_cast<unsigned char>(data[i] - previous)) ^ previous) ^
            static_cast<unsigned char>(key[i % m]));
        if (++position == n - 1)
            position = 0;
    }
    return out;
}
