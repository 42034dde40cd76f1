// libFuzzer target: any level file parses to contents a field can be built
// from (or to nothing), and the field built from them plays a few moves.
#include "FuzzSupport.h"

#include "board/Field.h"
#include "board/LevelFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSupport::prepareBoard();
    const auto file = LevelFile::parse(data, size);
    if (!file)
        return 0;
    if (!file->isValid())
        std::abort(); // parse answers only what can be built
    Field field(1, *file, 1);
    FuzzSupport::play(field, data, size, 3);
    return 0;
}
