// libFuzzer target: any .spr description loads into a sprite with at least
// one frame and group, whose cells stay inside its texture while it animates.
#include "gfx/Sprite.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Sprite sprite;
    sprite.load(nullptr, data, size);
    if (sprite.groups() < 1 || sprite.frames() < 1)
        std::abort();
    for (int step = 0; step < 8; ++step) {
        sprite.setGroup(step - 1);
        sprite.update(97.0f * step);
        const SpriteBase::Cell cell = sprite.cell();
        if (!(cell.uLeft >= 0 && cell.uRight <= 1.0001f && cell.vLow >= -0.0001f &&
              cell.vHigh <= 1.0001f))
            std::abort();
    }
    return 0;
}
