#include "audio/ModuleRenderer.h"

#include "audio/Module.h"
#include "audio/ModulePlayer.h"

#include <algorithm>
#include <vector>

std::uint64_t ModuleRenderer::render(Module& module, std::uint64_t maxFrames, const Sink& sink) {
    module.restart();
    std::vector<float> mix(2 * ModulePlayer::blockFrames);
    std::vector<std::int16_t> block(2 * ModulePlayer::blockFrames);
    std::uint64_t done = 0;
    while (done < maxFrames) {
        ModulePlayer::mixBlock(module, mix.data(), block.data());
        std::uint64_t count = ModulePlayer::blockFrames;
        if (module.ended) {
            count = module.endFrame > done ? module.endFrame - done : 0;
        }
        count = std::min(count, maxFrames - done);
        if (count > 0) {
            sink(block.data(), static_cast<int>(count));
        }
        done += count;
        if (module.ended) {
            break;
        }
    }
    return done;
}

std::uint64_t ModuleRenderer::songFrames(Module& module, std::uint64_t maxFrames) {
    module.restart();
    std::uint64_t frames = 0;
    while (frames < maxFrames) {
        module.tickFunction();
        if (module.ended) {
            break;
        }
        frames += static_cast<std::uint64_t>(module.samplesPerTick);
    }
    module.restart();
    return std::min(frames, maxFrames);
}
