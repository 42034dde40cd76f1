#include "persist/PackCipher.h"

#include <cstdint>
#include <vector>

void PackCipher::apply(unsigned char* data, std::size_t size, std::string_view password) {
    const std::size_t length = password.size();
    if (length == 0 || size == 0)
        return;
    // Password bytes count as signed 8-bit values, sums wrap at 32 bits.
    auto byteAt = [&](std::size_t i) {
        return static_cast<std::uint32_t>(
            static_cast<std::int32_t>(static_cast<signed char>(password[i])));
    };
    std::uint32_t sum = 0;
    for (std::size_t j = 0; j < length; ++j)
        sum += byteAt(j);
    // A one-character password has its terminator as second byte: the two
    // passes then use the same stream and cancel out, as the packs expect.
    const std::uint32_t secondByte = length > 1 ? byteAt(1) : 0;

    // Both passes are XOR streams of the same period, so they fold into one.
    std::vector<unsigned char> stream(length);
    for (std::size_t j = 0; j < length; ++j) {
        const std::uint32_t first = (byteAt(j) + sum + secondByte) % length;
        const std::uint32_t second = (byteAt(j) + sum) % length;
        stream[j] = static_cast<unsigned char>(password[first] ^ password[second]);
    }
    for (std::size_t i = 0, j = 0; i < size; ++i) {
        data[i] ^= stream[j];
        if (++j == length)
            j = 0;
    }
}
