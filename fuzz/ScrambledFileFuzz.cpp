// libFuzzer target: any bytes given as one of the three scrambled files are
// either refused or unscramble into a text the store parses; a text that
// scrambles comes back whole.
#include "persist/PropertyFile.h"
#include "persist/Scrambler.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const char* const keys[] = {"lorvendax&*!", "zpvrta#&%8172", "qim"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const char* key : keys) {
        const std::size_t keyLength = std::strlen(key);
        const auto plain = Scrambler::unscramble(data, size, key, keyLength);
        if (!plain.empty() && plain.size() + 1 != size)
            std::abort();
        PropertyFile store;
        store.loadBuffer(data, size, true, key, static_cast<int>(keyLength));
        (void)store.getInt("field.score", 0);

        const auto scrambled = Scrambler::scramble(data, size, key, keyLength);
        if (size == 0)
            continue;
        const auto back = Scrambler::unscramble(scrambled.data(), scrambled.size(), key, keyLength);
        if (back.size() != size || std::memcmp(back.data(), data, size) != 0)
            std::abort();
    }
    return 0;
}
