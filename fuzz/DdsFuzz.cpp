// libFuzzer target: any file named as a .dds picture (read from the disk, as
// the game reads them) decodes into levels the data holds, or into nothing.
#include "FuzzSupport.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = FuzzSupport::scratchFile("picture.dds", data, size);
    FuzzSupport::checkPicture(path, nullptr, 0);
    return 0;
}
