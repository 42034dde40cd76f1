#pragma once

#include "platform/MusicOutput.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class Module;

// Plays one module at a time into the looping ring of the music output. No
// thread and no callback: update() mixes the ring, block by block, up to the
// device's play position, keeping it about a second ahead of what is heard.
// The block mixing also runs with no device at all (mixBlock), for tools and
// tests.
class ModulePlayer {
public:
    static constexpr int rate = platform::MusicOutput::rate;
    // (rate x 20 / 1000 + 3) rounded down to a multiple of 4: about 20 ms.
    static constexpr int blockFrames = (rate * 20 / 1000 + 3) / 4 * 4;
    static constexpr int ringBlocks = 50;
    static constexpr int ringFrames = blockFrames * ringBlocks;
    static constexpr std::size_t ringBytes =
        static_cast<std::size_t>(ringFrames) * platform::MusicOutput::bytesPerFrame;

    explicit ModulePlayer(std::unique_ptr<platform::MusicOutput> output);
    ~ModulePlayer();
    ModulePlayer(const ModulePlayer&) = delete;
    ModulePlayer& operator=(const ModulePlayer&) = delete;

    // The game's one player, over the output the start-up code hands it
    // (platform::createMusicOutput()).
    static ModulePlayer& create(std::unique_ptr<platform::MusicOutput> output);
    static ModulePlayer& instance();
    static bool exists();
    static void destroy();

    bool openDevice();
    void closeDevice();
    bool isDeviceOpen() const;

    // Null when the bytes are not a module the replayer can play. The module
    // starts at the player's current volume; free it with freeModule().
    Module* loadModule(const std::uint8_t* bytes, std::size_t size);
    void freeModule(Module* module);

    void start(Module* module);
    void stop(Module* module);
    // Mixes up to the play position; stops once the song's end has been heard.
    void update();
    // The music volume 0..64: the global volume of the module that plays and
    // the starting global volume of the modules loaded later.
    void setVolume(int volume);
    int volume() const { return volume_; }
    bool isPlaying() const;

    // Mixes the next blockFrames frames of the module as 16-bit stereo into
    // out; mix is scratch space of 2 floats per frame.
    static void mixBlock(Module& module, float* mix, std::int16_t* out);

private:
    void mixAhead(int blocks);

    std::unique_ptr<platform::MusicOutput> output_;
    Module* current_ = nullptr;
    std::vector<float> mixBuffer_;
    int nextBlock_ = 0;
    int volume_ = 64;
    bool playing_ = false;
    bool stopRequested_ = false;
    bool filling_ = false;
};
