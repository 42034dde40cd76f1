#include "platform/EffectOutput.h"

#include "platform/AudioDevice.h"
#include "platform/EffectMixer.h"
#include "platform/EffectVoice.h"

#include <mutex>

namespace platform {

EffectOutput::~EffectOutput() {
    close();
}

void EffectOutput::open() {
    close();
    mixer_ = std::make_shared<EffectMixer>();
    mixer_->open();
}

void EffectOutput::close() {
    if (!mixer_)
        return;
    mixer_->close();
    mixer_.reset();
}

bool EffectOutput::isAudible() const {
    return mixer_ && mixer_->isAudible();
}

std::unique_ptr<EffectBuffer> EffectOutput::createBuffer(const PcmFormat& format,
                                                         std::size_t bytes) {
    if (!mixer_ || !format.isSupported() || bytes == 0 ||
        bytes % static_cast<unsigned>(format.frameBytes()) != 0)
        return nullptr;
    auto voice = std::make_unique<EffectVoice>();
    voice->format = format;
    voice->data = std::make_shared<std::vector<std::uint8_t>>(bytes, format.silence());
    voice->frames = bytes / static_cast<unsigned>(format.frameBytes());
    voice->step = (static_cast<std::uint64_t>(format.rate) << 32) / AudioDevice::rate;
    return std::unique_ptr<EffectBuffer>(new EffectBuffer(mixer_, std::move(voice)));
}

std::size_t EffectOutput::bufferCount() const {
    if (!mixer_)
        return 0;
    std::lock_guard<EffectMixer> guard(*mixer_);
    return mixer_->voiceCount();
}

} // namespace platform
