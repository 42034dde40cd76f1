// libFuzzer target: any particle description loads into a sprite (without
// groups when malformed) whose groups and frames can all be selected.
#include "gfx/ParticleSprite.h"
#include "persist/ResourceManager.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    ResourceManager* resources = ResourceManager::create("fuzz");
    {
        ParticleSprite sprite;
        sprite.load(resources, data, size);
        if (sprite.groups() != static_cast<int>(sprite.textures().size()))
            std::abort();
        for (int group = -1; group <= sprite.groups(); ++group) {
            sprite.setGroup(group);
            sprite.update(250.0f);
            if (sprite.frame() < 0 || (sprite.frames() > 0 && sprite.frame() >= sprite.frames()))
                std::abort();
        }
    }
    ResourceManager::destroy("fuzz");
    return 0;
}
