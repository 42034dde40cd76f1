#pragma once

#include <cstdlib>
#include <optional>
#include <string>

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
