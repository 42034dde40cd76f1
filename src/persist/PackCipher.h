#pragma once

#include <cstddef>
#include <string_view>

// The keyed XOR of pack entries. It is its own inverse: the same call
// scrambles an entry when a pack is made and unscrambles it when it is read.
class PackCipher {
public:
    static void apply(unsigned char* data, std::size_t size, std::string_view password);
};
