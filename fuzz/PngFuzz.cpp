// libFuzzer target: any bytes named as a .png picture decode through Image
// into pixels that match the size it reports, or into nothing.
#include "FuzzSupport.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSupport::checkPicture("picture.png", data, size);
    return 0;
}
