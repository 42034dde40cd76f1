#include "audio/CSoundManager.h"

#include "platform/EffectOutput.h"
#include "platform/MessageBox.h"

#include <algorithm>

namespace {
CSoundManager* theManager = nullptr;
}

CSoundManager* CSoundManager::instance() {
    if (!theManager)
        theManager = new CSoundManager;
    return theManager;
}

void CSoundManager::destroy() {
    delete theManager;
    theManager = nullptr;
}

CSoundManager::CSoundManager() = default;

CSoundManager::~CSoundManager() {
    samples_.clear();
    device_.reset();
}

bool CSoundManager::init() {
    device_.reset();
    device_ = std::make_unique<platform::EffectOutput>();
    device_->open();
    return device_->isOpen();
}

bool CSoundManager::load(const std::string& fileName, int id) {
    std::unique_ptr<SoundSample> sample;
    if (device_)
        sample = SoundSample::create(*device_, fileName, 1);
    if (!sample) {
        platform::showMessageBox("Failure creating the SoundManager.", "CSoundManager",
                                 platform::MessageIcon::Error);
        return false;
    }
    samples_[id] = std::move(sample);
    return true;
}

int CSoundManager::attenuation(int volume) {
    int v = static_cast<int>(volume / 100.0f * static_cast<float>(volume));
    return std::clamp(v * 100 - 10000, -10000, 0);
}

void CSoundManager::play(int id, bool evenIfPlaying, bool loop) {
    if (!enabled_)
        return;
    SoundSample* s = sample(id);
    if (!s || (!evenIfPlaying && s->isPlaying()))
        return;
    s->setVolume(attenuation(volume_));
    s->play(0, loop);
}

SoundSample* CSoundManager::sample(int id) const {
    auto it = samples_.find(id);
    return it == samples_.end() ? nullptr : it->second.get();
}
