#include "audio/ModulePlayer.h"

#include "audio/Module.h"
#include "audio/ModuleLoader.h"
#include "audio/StereoMixer.h"

#include <algorithm>

namespace {
std::unique_ptr<ModulePlayer> thePlayer;
} // namespace

ModulePlayer::ModulePlayer(std::unique_ptr<platform::MusicOutput> output)
    : output_(std::move(output)) {}

ModulePlayer::~ModulePlayer() {
    if (current_ != nullptr) {
        stop(current_);
    }
    closeDevice();
}

ModulePlayer& ModulePlayer::create(std::unique_ptr<platform::MusicOutput> output) {
    thePlayer = std::make_unique<ModulePlayer>(std::move(output));
    return *thePlayer;
}

ModulePlayer& ModulePlayer::instance() {
    return *thePlayer;
}

bool ModulePlayer::exists() {
    return thePlayer != nullptr;
}

void ModulePlayer::destroy() {
    thePlayer.reset();
}

bool ModulePlayer::openDevice() {
    if (output_ == nullptr) {
        return false;
    }
    return output_->isOpen() || output_->open(ringBytes);
}

void ModulePlayer::closeDevice() {
    if (output_ != nullptr && output_->isOpen()) {
        output_->reset();
        output_->close();
    }
    playing_ = false;
}

bool ModulePlayer::isDeviceOpen() const {
    return output_ != nullptr && output_->isOpen();
}

Module* ModulePlayer::loadModule(const std::uint8_t* bytes, std::size_t size) {
    return ModuleLoader::load(bytes, size, volume_).release();
}

void ModulePlayer::freeModule(Module* module) {
    if (module == nullptr) {
        return;
    }
    if (module == current_) {
        stop(module);
        current_ = nullptr;
    }
    delete module;
}

void ModulePlayer::start(Module* module) {
    if (current_ != nullptr) {
        stop(current_);
    }
    if (module == nullptr || !isDeviceOpen()) {
        return;
    }
    current_ = module;
    module->restart();
    mixBuffer_.assign(static_cast<std::size_t>(ringFrames) * 2 + 64, 0.0f);
    nextBlock_ = 0;
    stopRequested_ = false;
    mixAhead(ringBlocks);
    output_->start();
    playing_ = true;
}

void ModulePlayer::stop(Module*) {
    stopRequested_ = true;
    mixBuffer_.clear();
    mixBuffer_.shrink_to_fit();
    if (output_ != nullptr && output_->isOpen()) {
        output_->reset();
    }
    nextBlock_ = 0;
    playing_ = false;
}

void ModulePlayer::mixAhead(int blocks) {
    filling_ = true;
    std::int16_t* ring = output_->ring();
    for (int i = 0; i < blocks; ++i) {
        const std::size_t offset = static_cast<std::size_t>(nextBlock_) * blockFrames * 2;
        std::int16_t* block = ring + offset;
        // Past the end of the song the ring holds silence until the end has
        // been heard.
        std::uint64_t kept = 0;
        if (!current_->ended) {
            const std::uint64_t first = current_->framesMixed;
            mixBlock(*current_, mixBuffer_.data() + offset, block);
            kept = current_->ended ? std::max(current_->endFrame, first) - first : blockFrames;
        }
        std::fill(block + 2 * kept, block + 2 * blockFrames, std::int16_t{0});
        nextBlock_ = (nextBlock_ + 1) % ringBlocks;
    }
    filling_ = false;
}

void ModulePlayer::update() {
    if (!playing_ || stopRequested_ || current_ == nullptr) {
        return;
    }
    const std::uint64_t frame = output_->playPosition() / platform::MusicOutput::bytesPerFrame;
    if (current_->ended && frame >= current_->endFrame) {
        stop(current_); // the whole song has been heard
        return;
    }
    const int playingBlock = static_cast<int>(frame % ringFrames) / blockFrames;
    const int due = (playingBlock - nextBlock_ + ringBlocks) % ringBlocks;
    mixAhead(due);
}

void ModulePlayer::setVolume(int volume) {
    volume_ = std::clamp(volume, 0, 64);
    if (current_ != nullptr) {
        current_->globalVolume = volume_;
    }
}

bool ModulePlayer::isPlaying() const {
    return playing_ && current_ != nullptr;
}

void ModulePlayer::mixBlock(Module& module, float* mix, std::int16_t* out) {
    std::fill(mix, mix + 2 * blockFrames, 0.0f);
    module.render(mix, blockFrames);
    StereoMixer::toSixteenBits(mix, out, 2 * blockFrames);
}
