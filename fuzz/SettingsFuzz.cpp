// libFuzzer target: any settings file, as it lies on the disk and as the text
// inside a well scrambled one, loads into settings that save again.
#include "FuzzSupport.h"

#include "persist/PropertyFile.h"
#include "persist/Scrambler.h"
#include "persist/Settings.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Settings* settings = Settings::create();
    const std::string raw = FuzzSupport::scratchFile("dx.cfg", data, size);
    settings->load(raw);
    const auto scrambled =
        Scrambler::scramble(data, size, Settings::fileKey, Settings::fileKeyLength);
    const std::string wrapped =
        FuzzSupport::scratchFile("dx.cfg", scrambled.data(), scrambled.size());
    if (settings->load(wrapped) != (size != 0))
        std::abort();
    if (!settings->save(false, wrapped))
        std::abort();
    Settings::destroy();
    return 0;
}
