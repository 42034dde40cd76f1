#pragma once

#include "audio/WaveReader.h"
#include "platform/EffectBuffer.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {
class EffectOutput;
}

// One sound effect: one or more buffers of the effect output holding the
// sound of a WAVE file. Buffer 0 is filled from the file; the others are
// duplicates sharing its bytes, so the effect can sound several times at once.
// The output never loses a buffer's contents, so the file is not kept.
class SoundSample {
public:
    // Loads the effect from a WAVE file on the disk. Null when the file is
    // missing or malformed, its data is empty or not 8/16-bit PCM with one or
    // two channels, or bufferCount is 0.
    static std::unique_ptr<SoundSample> create(platform::EffectOutput& output,
                                               const std::string& fileName, unsigned bufferCount);
    static std::unique_ptr<SoundSample>
    create(platform::EffectOutput& output, std::unique_ptr<WaveReader> wave, unsigned bufferCount);

    // Plays a free buffer from its beginning (a random one when all of them
    // sound). Priority is accepted for the callers' sake; every effect is
    // mixed alike.
    bool play(int priority, bool looping);
    void stop();
    // Every buffer back to position 0.
    void reset();
    bool isPlaying() const;
    // Attenuation in hundredths of a decibel, on every buffer.
    void setVolume(int hundredthsOfDb);

    // Bytes per buffer: the file's data rounded up to whole frames.
    unsigned bufferSize() const { return bufferSize_; }
    unsigned bufferCount() const { return static_cast<unsigned>(buffers_.size()); }
    const platform::EffectBuffer& buffer(unsigned i) const { return *buffers_[i]; }

private:
    SoundSample() = default;
    // Fills a buffer from the start of the file's data; what the data does not
    // cover is silence.
    static void fill(platform::EffectBuffer& buffer, WaveReader& wave);

    std::vector<std::unique_ptr<platform::EffectBuffer>> buffers_;
    unsigned bufferSize_ = 0;
};
