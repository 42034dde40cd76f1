#pragma once

#include <cstdint>
#include <functional>

class Module;

// Renders a module with the player's block mixing and no device, for tools
// and tests.
class ModuleRenderer {
public:
    // Receives interleaved 16-bit stereo frames.
    using Sink = std::function<void(const std::int16_t* frames, int count)>;

    // Plays the module from its start until the song ends, or maxFrames. The
    // last block is cut at the frame where the song ended. Returns the frames
    // delivered.
    static std::uint64_t render(Module& module, std::uint64_t maxFrames, const Sink& sink);
    // Frames from the start of the song to its end, stepping the song without
    // mixing; maxFrames when it does not end before. Leaves the module at its
    // start.
    static std::uint64_t songFrames(Module& module, std::uint64_t maxFrames);
};
