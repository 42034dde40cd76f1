// libFuzzer target: any bytes given to the module loader either fail cleanly
// or give a module that mixes without harm.
//
// Build with libFuzzer: cmake -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang
//   -DQUILLMERE_LIBFUZZER=ON -DQUILLMERE_SANITIZE=ON, then run
//   fuzz/fuzz_ModuleFuzz -max_len=65536 corpus/ (any XM files make a good corpus).
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
