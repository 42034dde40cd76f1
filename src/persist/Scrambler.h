#pragma once

#include <cstddef>
#include <vector>

// The keyed scrambling of the files the game writes: the text is rotated by a
// random offset (stored in the first byte), then chained through an XOR-and-add
// with a repeating key, so that every byte depends on all bytes before it.
class Scrambler {
public:
    // n + 1 bytes; empty when the text or the key is empty. Reseeds the game's
    // random generator from the clock to draw the offset.
    static std::vector<unsigned char> scramble(const unsigned char* plain, std::size_t n,
                                               const char* key, std::size_t m);
    // n - 1 bytes; empty (rejected) when the data is shorter than 2 bytes, its
    // offset byte is negative or not below n, or the key is empty.
    static std::vector<unsigned char> unscramble(const unsigned char* data, std::size_t n,
                                                 const char* key, std::size_t m);
};
