#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace platform {

// The music device: one ring of 16-bit signed stereo PCM at 44100 frames per
// second that, once started, loops endlessly by itself and reports how far it
// has played. The game mixes ahead into the ring from the main thread; no
// callback ever reaches the game.
//
// When no audio device can be opened the output falls back to a silent device
// that still keeps time, so the position advances with the clock exactly as a
// real device would.
class MusicOutput {
public:
    static constexpr int rate = 44100;
    static constexpr int channels = 2;
    static constexpr int bytesPerFrame = 4;

    virtual ~MusicOutput() = default;

    // Opens the default device with a ring of ringBytes (a multiple of 4),
    // zeroed. False only when not even the silent fallback can be made.
    virtual bool open(std::size_t ringBytes) = 0;
    // Stops playback and frees the ring.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // True when a real audio device plays (false for the silent fallback).
    virtual bool isAudible() const = 0;

    // The ring the game writes into; valid while open.
    virtual std::int16_t* ring() = 0;
    virtual std::size_t ringBytes() const = 0;

    // Starts looping playback from the start of the ring (the play position
    // restarts at 0).
    virtual void start() = 0;
    // Stops playback; the play position goes back to 0.
    virtual void reset() = 0;
    // Bytes played since start(), counting every loop of the ring.
    virtual std::uint64_t playPosition() = 0;
};

// The output the game uses: SDL audio, or the silent fallback.
std::unique_ptr<MusicOutput> createMusicOutput();

} // namespace platform
