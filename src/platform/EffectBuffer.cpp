#include "platform/EffectBuffer.h"

#include "platform/EffectMixer.h"
#include "platform/EffectVoice.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

namespace platform {

EffectBuffer::EffectBuffer(std::shared_ptr<EffectMixer> mixer, std::unique_ptr<EffectVoice> voice)
    : mixer_(std::move(mixer)), voice_(std::move(voice)) {
    std::lock_guard<EffectMixer> guard(*mixer_);
    mixer_->add(voice_.get());
}

EffectBuffer::~EffectBuffer() {
    std::lock_guard<EffectMixer> guard(*mixer_);
    mixer_->remove(voice_.get());
}

const PcmFormat& EffectBuffer::format() const {
    return voice_->format;
}

std::size_t EffectBuffer::size() const {
    return voice_->data->size();
}

bool EffectBuffer::write(std::size_t offset, const void* bytes, std::size_t count) {
    std::lock_guard<EffectMixer> guard(*mixer_);
    auto& data = *voice_->data;
    if (offset > data.size() || count > data.size() - offset)
        return false;
    if (count > 0)
        std::memcpy(data.data() + offset, bytes, count);
    return true;
}

std::vector<std::uint8_t> EffectBuffer::contents() const {
    std::lock_guard<EffectMixer> guard(*mixer_);
    return *voice_->data;
}

void EffectBuffer::setVolume(int hundredthsOfDb) {
    int v = std::clamp(hundredthsOfDb, silentVolume, 0);
    auto gain = v <= silentVolume
                    ? 0
                    : static_cast<std::int32_t>(std::lround(65536.0 * std::pow(10.0, v / 2000.0)));
    std::lock_guard<EffectMixer> guard(*mixer_);
    voice_->volume = v;
    voice_->gain = gain;
}

int EffectBuffer::volume() const {
    std::lock_guard<EffectMixer> guard(*mixer_);
    return voice_->volume;
}

void EffectBuffer::setPosition(std::size_t bytes) {
    std::lock_guard<EffectMixer> guard(*mixer_);
    std::uint64_t frame = bytes / static_cast<unsigned>(voice_->format.frameBytes());
    voice_->position = std::min(frame, voice_->frames) << 32;
    EffectMixer::restartClock(*voice_);
}

std::size_t EffectBuffer::position() const {
    std::lock_guard<EffectMixer> guard(*mixer_);
    mixer_->settle(*voice_);
    return static_cast<std::size_t>(voice_->position >> 32) *
           static_cast<unsigned>(voice_->format.frameBytes());
}

void EffectBuffer::play(bool looping) {
    std::lock_guard<EffectMixer> guard(*mixer_);
    mixer_->settle(*voice_);
    voice_->looping = looping;
    voice_->playing = true;
    EffectMixer::restartClock(*voice_);
}

void EffectBuffer::stop() {
    std::lock_guard<EffectMixer> guard(*mixer_);
    mixer_->settle(*voice_);
    voice_->playing = false;
}

bool EffectBuffer::isPlaying() const {
    std::lock_guard<EffectMixer> guard(*mixer_);
    mixer_->settle(*voice_);
    return voice_->playing;
}

bool EffectBuffer::isLooping() const {
    std::lock_guard<EffectMixer> guard(*mixer_);
    return voice_->looping;
}

std::unique_ptr<EffectBuffer> EffectBuffer::duplicate() const {
    auto voice = std::make_unique<EffectVoice>();
    {
        std::lock_guard<EffectMixer> guard(*mixer_);
        voice->format = voice_->format;
        voice->data = voice_->data;
        voice->frames = voice_->frames;
        voice->step = voice_->step;
    }
    return std::unique_ptr<EffectBuffer>(new EffectBuffer(mixer_, std::move(voice)));
}

} // namespace platform
