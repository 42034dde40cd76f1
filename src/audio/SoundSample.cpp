#include "audio/SoundSample.h"

#include "platform/EffectOutput.h"
#include "platform/Random.h"

std::unique_ptr<SoundSample> SoundSample::create(platform::EffectOutput& output,
                                                 const std::string& fileName,
                                                 unsigned bufferCount) {
    auto wave = std::make_unique<WaveReader>();
    if (fileName.empty() || !wave->open(fileName))
        return nullptr;
    return create(output, std::move(wave), bufferCount);
}

std::unique_ptr<SoundSample> SoundSample::create(platform::EffectOutput& output,
                                                 std::unique_ptr<WaveReader> wave,
                                                 unsigned bufferCount) {
    if (!wave || !wave->isOpen() || bufferCount == 0 || wave->size() == 0)
        return nullptr;
    const WaveFormat& wf = wave->format();
    platform::PcmFormat format;
    format.channels = wf.channels;
    format.rate = wf.samplesPerSec > static_cast<unsigned>(platform::PcmFormat::maxRate)
                      ? 0
                      : static_cast<int>(wf.samplesPerSec);
    format.bits = wf.bitsPerSample;
    // A block alignment that disagrees with the sample layout is as malformed
    // as a wrong size.
    if (!wf.isPcm() || !format.isSupported() || wf.blockAlign != format.frameBytes())
        return nullptr;

    // The output plays whole frames: a data chunk ending inside a frame gets
    // a buffer rounded up, padded with silence.
    unsigned frame = static_cast<unsigned>(format.frameBytes());
    std::uint64_t size = (static_cast<std::uint64_t>(wave->size()) + frame - 1) / frame * frame;
    auto first = output.createBuffer(format, static_cast<std::size_t>(size));
    if (!first)
        return nullptr;

    std::unique_ptr<SoundSample> sample(new SoundSample);
    sample->bufferSize_ = static_cast<unsigned>(size);
    sample->buffers_.push_back(std::move(first));
    for (unsigned i = 1; i < bufferCount; ++i)
        sample->buffers_.push_back(sample->buffers_[0]->duplicate());
    fill(*sample->buffers_[0], *wave);
    sample->reset();
    return sample;
}

void SoundSample::fill(platform::EffectBuffer& buffer, WaveReader& wave) {
    std::vector<std::uint8_t> bytes(buffer.size(), buffer.format().silence());
    wave.rewind();
    wave.read(bytes.data(), bytes.size());
    buffer.write(0, bytes.data(), bytes.size());
}

bool SoundSample::play(int /*priority*/, bool looping) {
    platform::EffectBuffer* chosen = nullptr;
    for (auto& b : buffers_) {
        if (!b->isPlaying()) {
            chosen = b.get();
            break;
        }
    }
    // All busy: one of them starts over (with one buffer, the effect restarts).
    if (!chosen)
        chosen = buffers_[static_cast<std::size_t>(Random::rand()) % buffers_.size()].get();
    chosen->setPosition(0);
    chosen->play(looping);
    return true;
}

void SoundSample::stop() {
    for (auto& b : buffers_)
        b->stop();
}

void SoundSample::reset() {
    for (auto& b : buffers_)
        b->setPosition(0);
}

bool SoundSample::isPlaying() const {
    for (const auto& b : buffers_)
        if (b->isPlaying())
            return true;
    return false;
}

void SoundSample::setVolume(int hundredthsOfDb) {
    for (auto& b : buffers_)
        b->setVolume(hundredthsOfDb);
}
