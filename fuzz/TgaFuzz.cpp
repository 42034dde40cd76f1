// libFuzzer target: any bytes named as a .tga picture decode through Image
// into pixels that match the size it reports, or into nothing.
#include "FuzzSupport.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSupport::checkPicture("picture.tga", data, size);
    return 0;
}
