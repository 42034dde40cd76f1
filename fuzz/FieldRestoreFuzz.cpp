// libFuzzer target: any saved-game text restored into a freshly built field
// (the board a damaged level file falls back on) gives a field that keeps
// running and playing.
#include "FuzzSupport.h"

#include "board/Field.h"
#include "board/LevelFile.h"
#include "persist/PropertyFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzSupport::prepareBoard();
    PropertyFile save;
    save.loadBuffer(data, size, true);
    Field field(1, LevelFile::fallback(), 1);
    if (!field.load(save))
        return 0;
    PropertyFile again;
    field.save(again);
    FuzzSupport::play(field, data, size, 3);
    return 0;
}
