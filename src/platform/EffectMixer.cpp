#include "platform/EffectMixer.h"

#include "platform/EffectVoice.h"

#include <algorithm>
#include <mutex>

namespace platform {
namespace {

constexpr int scratchFrames = 1024;

// One sample of a channel as 16-bit signed.
inline int sampleAt(const EffectVoice& v, std::uint64_t frame, int channel) {
    const std::uint8_t* p = v.data->data() + frame * static_cast<unsigned>(v.format.frameBytes());
    if (v.format.channels == 2)
        p += channel * (v.format.bits / 8);
    if (v.format.bits == 8)
        return (static_cast<int>(*p) - 128) * 256;
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

} // namespace

EffectMixer::EffectMixer() : scratch_(scratchFrames * 2) {}

bool EffectMixer::open() {
    close();
    if (!device_.open(&EffectMixer::render, this))
        return false;
    device_.pause(false);
    return true;
}

void EffectMixer::close() {
    if (!device_.isOpen())
        return;
    {
        std::lock_guard<EffectMixer> guard(*this);
        // Voices that were sounding go on playing silently from where they are.
        for (EffectVoice* v : voices_)
            restartClock(*v);
    }
    device_.close();
}

void EffectMixer::add(EffectVoice* voice) {
    voices_.push_back(voice);
}

void EffectMixer::remove(EffectVoice* voice) {
    voices_.erase(std::remove(voices_.begin(), voices_.end(), voice), voices_.end());
}

void EffectMixer::restartClock(EffectVoice& voice) {
    voice.startFrame = voice.position >> 32;
    voice.timer.start();
}

void EffectMixer::settle(EffectVoice& v) const {
    if (device_.isOpen() || !v.playing || v.frames == 0)
        return;
    std::uint64_t frame = v.startFrame + v.timer.frames(v.format.rate);
    if (frame < v.frames) {
        v.position = frame << 32;
    } else if (v.looping) {
        v.position = (frame % v.frames) << 32;
    } else {
        v.playing = false;
        v.position = 0;
    }
}

void EffectMixer::render(void* user, std::int16_t* out, int frames) {
    static_cast<EffectMixer*>(user)->mix(out, frames);
}

void EffectMixer::mix(std::int16_t* out, int frames) {
    while (frames > 0) {
        int n = std::min(frames, scratchFrames);
        std::fill(scratch_.begin(), scratch_.begin() + n * 2, 0);
        for (EffectVoice* v : voices_)
            if (v->playing)
                mixVoice(*v, scratch_.data(), n);
        for (int i = 0; i < n * 2; ++i)
            out[i] = static_cast<std::int16_t>(std::clamp(scratch_[i], -32768, 32767));
        out += n * 2;
        frames -= n;
    }
}

// Linear interpolation between neighbouring source frames resamples any rate
// to the device's; the gain is fixed point 16.16.
void EffectMixer::mixVoice(EffectVoice& v, std::int32_t* acc, int frames) {
    const std::uint64_t end = v.frames << 32;
    for (int k = 0; k < frames; ++k) {
        if (v.position >= end) {
            if (!v.looping || v.frames == 0) {
                v.playing = false;
                v.position = 0;
                return;
            }
            v.position %= end;
        }
        std::uint64_t i = v.position >> 32;
        std::uint64_t j = i + 1 < v.frames ? i + 1 : (v.looping ? 0 : i);
        std::int64_t frac = static_cast<std::uint32_t>(v.position) >> 16;
        for (int c = 0; c < 2; ++c) {
            std::int64_t s0 = sampleAt(v, i, c);
            std::int64_t s1 = sampleAt(v, j, c);
            std::int64_t s = s0 + (((s1 - s0) * frac) >> 16);
            acc[k * 2 + c] += static_cast<std::int32_t>((s * v.gain) >> 16);
        }
        v.position += v.step;
    }
}

} // namespace platform
