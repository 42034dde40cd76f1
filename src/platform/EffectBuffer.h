#pragma once

#include "platform/PcmFormat.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class EffectMixer;
struct EffectVoice;

// One playable copy of a short PCM effect, made by an EffectOutput. It plays
// from its position to its end (or endlessly when looping) at its own volume,
// mixed with every other buffer of the output. Without an audio device it
// still "plays" for as long as its sound lasts.
class EffectBuffer {
public:
    static constexpr int silentVolume = -10000;

    ~EffectBuffer();
    EffectBuffer(const EffectBuffer&) = delete;
    EffectBuffer& operator=(const EffectBuffer&) = delete;

    const PcmFormat& format() const;
    std::size_t size() const;
    // Copies count bytes to offset; false (and nothing copied) when that
    // reaches past the end of the buffer.
    bool write(std::size_t offset, const void* bytes, std::size_t count);
    std::vector<std::uint8_t> contents() const;

    // Attenuation in hundredths of a decibel, clamped to -10000 (silence) ... 0
    // (full level).
    void setVolume(int hundredthsOfDb);
    int volume() const;

    // Play position in bytes (whole frames).
    void setPosition(std::size_t bytes);
    std::size_t position() const;

    void play(bool looping);
    void stop();
    bool isPlaying() const;
    bool isLooping() const;

    // Another buffer over the same bytes with its own position, volume and
    // state.
    std::unique_ptr<EffectBuffer> duplicate() const;

private:
    friend class EffectOutput;
    EffectBuffer(std::shared_ptr<EffectMixer> mixer, std::unique_ptr<EffectVoice> voice);

    std::shared_ptr<EffectMixer> mixer_;
    std::unique_ptr<EffectVoice> voice_;
};

} // namespace platform
