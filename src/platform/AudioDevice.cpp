#include "platform/AudioDevice.h"

#include <SDL.h>

#include <cstring>

namespace platform {

AudioDevice::~AudioDevice() {
    close();
}

bool AudioDevice::open(Render render, void* user) {
    close();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return false;
    render_ = render;
    user_ = user;
    SDL_AudioSpec want{};
    want.freq = rate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = &AudioDevice::callback;
    want.userdata = this;
    // No changes allowed: SDL converts to whatever the hardware wants, so the
    // callback always sees exactly this format.
    SDL_AudioSpec have{};
    SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (id == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    id_ = id;
    return true;
}

void AudioDevice::close() {
    if (id_ == 0)
        return;
    SDL_CloseAudioDevice(id_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    id_ = 0;
}

void AudioDevice::pause(bool paused) {
    if (id_ != 0)
        SDL_PauseAudioDevice(id_, paused ? 1 : 0);
}

void AudioDevice::lock() {
    if (id_ != 0)
        SDL_LockAudioDevice(id_);
}

void AudioDevice::unlock() {
    if (id_ != 0)
        SDL_UnlockAudioDevice(id_);
}

void AudioDevice::callback(void* self, std::uint8_t* stream, int len) {
    auto* device = static_cast<AudioDevice*>(self);
    int frames = len / 4;
    device->render_(device->user_, reinterpret_cast<std::int16_t*>(stream), frames);
    if (len % 4 != 0)
        std::memset(stream + frames * 4, 0, static_cast<std::size_t>(len % 4));
}

} // namespace platform
