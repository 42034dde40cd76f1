#pragma once

#include "platform/Clock.h"

#include <cstdlib>
#include <optional>
#include <string>

// A clock the test moves by hand, installed for the lifetime of the object.
class ManualClock : public platform::Clock {
public:
    ManualClock() { platform::setClock(this); }
    ~ManualClock() override { platform::setClock(nullptr); }
    unsigned milliseconds() override { return now; }
    void sleep(unsigned ms) override { now += ms; }
    void advance(unsigned ms) { now += ms; }

    // Starts near the 32-bit wrap so that every timed output crosses it.
    unsigned now = 0xFFFFFF00u;
};

// Sets SDL's audio driver for the lifetime of the object: "dummy" for a
// device that plays in real time without hardware, an unknown name for no
// device at all.
class AudioDriver {
public:
    explicit AudioDriver(const char* name) {
        if (const char* old = std::getenv("SDL_AUDIODRIVER"))
            old_ = old;
        setenv("SDL_AUDIODRIVER", name, 1);
    }
    ~AudioDriver() {
        if (old_)
            setenv("SDL_AUDIODRIVER", old_->c_str(), 1);
        else
            unsetenv("SDL_AUDIODRIVER");
    }
    static AudioDriver none() { return AudioDriver("quillmere-no-such-driver"); }
    static AudioDriver dummy() { return AudioDriver("dummy"); }

private:
    std::optional<std::string> old_;
};
