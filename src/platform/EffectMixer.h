#pragma once

#include "platform/AudioDevice.h"

#include <cstdint>
#include <vector>

namespace platform {

struct EffectVoice;

// Mixes every playing effect voice into one audio device. Without a device
// the voices still play in time: their positions follow the clock.
class EffectMixer {
public:
    EffectMixer();

    // Opens the device; false leaves the mixer silent (still usable).
    bool open();
    void close();
    bool isAudible() const { return device_.isOpen(); }

    // Excludes the audio thread while voices change (BasicLockable).
    void lock() { device_.lock(); }
    void unlock() { device_.unlock(); }

    // Call under the lock.
    void add(EffectVoice* voice);
    void remove(EffectVoice* voice);
    std::size_t voiceCount() const { return voices_.size(); }
    // Moves a voice playing without a device along the clock: its position,
    // and whether it has played to its end. Call under the lock.
    void settle(EffectVoice& voice) const;
    // Restarts a voice's clock at its current position. Call under the lock.
    static void restartClock(EffectVoice& voice);

    // Mixes the playing voices into frames of 16-bit stereo, moving them on:
    // what the audio thread does with the device open. Call under the lock.
    void mix(std::int16_t* out, int frames);

private:
    static void render(void* user, std::int16_t* out, int frames);
    static void mixVoice(EffectVoice& voice, std::int32_t* acc, int frames);

    AudioDevice device_;
    std::vector<EffectVoice*> voices_;
    std::vector<std::int32_t> scratch_;
};

} // namespace platform
