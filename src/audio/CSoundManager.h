#pragma once

#include "audio/SoundSample.h"

#include <map>
#include <memory>
#include <string>

namespace platform {
class EffectOutput;
}

// The sound effects of the game, played by numeric id. Owns the effect
// output, the loaded samples and the player's sound switch.
class CSoundManager {
public:
    static CSoundManager* instance();
    static void destroy();

    // Opens the effect output (an audible device, or the silent fallback
    // when there is none), releasing any earlier one. False only when no
    // output at all could be made.
    bool init();

    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isEnabled() const { return enabled_; }
    // Kept for the settings; every effect is centred, so it changes nothing heard.
    void setStereoInverted(bool inverted) { stereoInverted_ = inverted; }
    bool isStereoInverted() const { return stereoInverted_; }

    // Loads a WAVE file as effect `id`, replacing (and freeing) whatever was
    // registered under it. On failure shows a message box and registers nothing.
    bool load(const std::string& fileName, int id);
    // Plays effect `id` from its beginning unless sound is off, no effect has
    // that id, or evenIfPlaying is false and it is still sounding.
    void play(int id, bool evenIfPlaying, bool loop);

    // The effect registered under id, or null.
    SoundSample* sample(int id) const;
    // The output the effects play on; null before init.
    platform::EffectOutput* output() const { return device_.get(); }

    // Attenuation in hundredths of a decibel for a master volume of 0 to 100.
    static int attenuation(int volume);

private:
    CSoundManager();
    ~CSoundManager();

    bool enabled_ = false;
    bool stereoInverted_ = false;
    int volume_ = 100;
    // Declared before the samples so that they go first.
    std::unique_ptr<platform::EffectOutput> device_;
    std::map<int, std::unique_ptr<SoundSample>> samples_;
};
