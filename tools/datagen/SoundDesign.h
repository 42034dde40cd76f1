#pragma once

#include <string>
#include <vector>

// The game's ten sound effects, synthesised: mono float samples at `rate`,
// each brought to the same loudness (the loudest 50 ms at one RMS level) and
// kept below full scale.
class SoundDesign {
public:
    static constexpr int rate = 22050;
    static constexpr double loudness = 0.17; // RMS of the loudest 50 ms
    static constexpr double ceiling = 0.95;

    struct Effect {
        std::string file; // "wav/....wav"
        std::vector<float> samples;
    };
    static std::vector<Effect> all();

    static std::vector<float> glassBreaking();
    static std::vector<float> pop();
    static std::vector<float> waterDrop();
    static std::vector<float> bonk();
    static std::vector<float> bowl();
    static std::vector<float> shot();
    static std::vector<float> select();
    static std::vector<float> unselect();
    static std::vector<float> takeOff();
    static std::vector<float> buttonClick();

    // Loudest RMS over windows of `seconds`.
    static double loudestRms(const std::vector<float>& samples, double seconds = 0.05);
};
