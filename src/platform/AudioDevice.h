#pragma once

#include <cstdint>

namespace platform {

// One SDL audio device playing 44100 Hz 16-bit signed stereo. SDL calls the
// render function on its own audio thread whenever it needs more frames; the
// owner shares state with that thread only while holding lock(), which
// excludes the callback. Opening initialises SDL's audio subsystem and closing
// releases it again, so several devices may live side by side.
class AudioDevice {
public:
    using Render = void (*)(void* user, std::int16_t* out, int frames);

    static constexpr int rate = 44100;

    AudioDevice() = default;
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the default output device, paused. False when there is no usable
    // device (no driver, no card, refused format).
    bool open(Render render, void* user);
    void close();
    bool isOpen() const { return id_ != 0; }

    void pause(bool paused);
    // Excludes the callback (BasicLockable, for std::lock_guard). No-op when
    // the device is closed.
    void lock();
    void unlock();

private:
    static void callback(void* self, std::uint8_t* stream, int len);

    std::uint32_t id_ = 0;
    Render render_ = nullptr;
    void* user_ = nullptr;
};

} // namespace platform
