#pragma once

#include "platform/EffectBuffer.h"
#include "platform/PcmFormat.h"

#include <cstddef>
#include <memory>

namespace platform {

class EffectMixer;

// The output for sound effects: any number of short PCM buffers of any
// supported format play at once, each at its own volume, converted to the
// device's 44100 Hz 16-bit stereo as they are mixed. It has its own SDL audio
// device, separate from the music's, so either lives and dies on its own.
// When no device can be opened it falls back to silence that keeps time.
class EffectOutput {
public:
    EffectOutput() = default;
    ~EffectOutput();
    EffectOutput(const EffectOutput&) = delete;
    EffectOutput& operator=(const EffectOutput&) = delete;

    // Opens the default device, or the silent fallback when there is none.
    void open();
    // Buffers still alive go on playing silently.
    void close();
    bool isOpen() const { return mixer_ != nullptr; }
    bool isAudible() const;

    // A stopped buffer of `bytes` bytes of silence at full volume. Null when
    // the output is closed, the format is not supported, or the size is 0 or
    // not a whole number of frames.
    std::unique_ptr<EffectBuffer> createBuffer(const PcmFormat& format, std::size_t bytes);
    // Buffers of this output alive now, duplicates included.
    std::size_t bufferCount() const;

private:
    std::shared_ptr<EffectMixer> mixer_;
};

} // namespace platform
