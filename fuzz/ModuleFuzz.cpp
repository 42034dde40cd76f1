// libFuzzer target: any bytes given to the module loader either fail cleanly
// or give a module that mixes without harm.
//
// Build and run (from the repository root):
//   clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -Isrc \
//       fuzz/ModuleFuzz.cpp src/audio/Module*.cpp src/audio/Voice.cpp \
//       src/audio/EnvelopeState.cpp src/audio/ChannelState.cpp \
//       src/audio/PeriodTable.cpp -o module-fuzz
//   ./module-fuzz -max_len=65536 corpus/
// Any XM files (from quillmere-xm's tests or elsewhere) make a good corpus.
#include "audio/Module.h"
#include "audio/ModuleLoader.h"
#include "audio/ModuleRenderer.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto module = ModuleLoader::load(data, size);
    if (module) {
        // A quarter of a second: enough ticks to run the effects of a row or two.
        ModuleRenderer::render(*module, Module::rate / 4, [](const std::int16_t*, int) {});
    }
    return 0;
}
