#include "platform/MusicOutput.h"

#include "platform/AudioDevice.h"
#include "platform/PlaybackTimer.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace platform {
namespace {

// The ring plays from SDL's audio thread: the callback copies the ring out
// from its read position and counts the bytes it has handed over. The game
// writes into the ring from the main thread well behind that read position.
// Every playPosition() call takes the device lock, which also publishes the
// game's writes to the audio thread. Without a device the position is the
// time since start() times the byte rate.
class SdlMusicOutput final : public MusicOutput {
public:
    ~SdlMusicOutput() override { close(); }

    bool open(std::size_t ringBytes) override {
        close();
        if (ringBytes == 0 || ringBytes % bytesPerFrame != 0)
            return false;
        ring_.assign(ringBytes / sizeof(std::int16_t), 0);
        audible_ = device_.open(&SdlMusicOutput::render, this);
        open_ = true;
        return true;
    }

    void close() override {
        device_.close();
        audible_ = false;
        open_ = false;
        running_ = false;
        played_ = 0;
        readFrame_ = 0;
        ring_.clear();
        ring_.shrink_to_fit();
    }

    bool isOpen() const override { return open_; }
    bool isAudible() const override { return audible_; }
    std::int16_t* ring() override { return open_ ? ring_.data() : nullptr; }
    std::size_t ringBytes() const override { return ring_.size() * sizeof(std::int16_t); }

    void start() override {
        if (!open_)
            return;
        {
            std::lock_guard<AudioDevice> guard(device_);
            running_ = true;
            played_ = 0;
            readFrame_ = 0;
        }
        timer_.start();
        device_.pause(false);
    }

    void reset() override {
        device_.pause(true);
        std::lock_guard<AudioDevice> guard(device_);
        running_ = false;
        played_ = 0;
        readFrame_ = 0;
    }

    std::uint64_t playPosition() override {
        if (!open_)
            return 0;
        if (!audible_)
            return running_ ? timer_.frames(rate) * bytesPerFrame : 0;
        std::lock_guard<AudioDevice> guard(device_);
        return played_;
    }

private:
    static void render(void* user, std::int16_t* out, int frames) {
        static_cast<SdlMusicOutput*>(user)->fill(out, static_cast<std::size_t>(frames));
    }

    void fill(std::int16_t* out, std::size_t frames) {
        if (!running_) {
            std::memset(out, 0, frames * bytesPerFrame);
            return;
        }
        std::size_t ringFrames = ring_.size() / channels;
        std::size_t done = 0;
        while (done < frames) {
            std::size_t n = std::min(frames - done, ringFrames - readFrame_);
            std::memcpy(out + done * channels, ring_.data() + readFrame_ * channels,
                        n * bytesPerFrame);
            done += n;
            readFrame_ = (readFrame_ + n) % ringFrames;
        }
        played_ += frames * bytesPerFrame;
    }

    AudioDevice device_;
    PlaybackTimer timer_;
    std::vector<std::int16_t> ring_;
    bool open_ = false;
    bool audible_ = false;
    // Shared with the audio thread; touched only under the device lock.
    bool running_ = false;
    std::uint64_t played_ = 0;
    std::size_t readFrame_ = 0;
};

} // namespace

std::unique_ptr<MusicOutput> createMusicOutput() {
    return std::make_unique<SdlMusicOutput>();
}

} // namespace platform
