#pragma once

#include <cstdint>

struct Sample;

// One mixing voice: a sample played at a step with ramped stereo levels.
// Channel c drives voice c or its twin c + 32, so that a new note starts on a
// fresh voice while the old one fades out.
struct Voice {
    enum class Direction { Forward = 1, Backward = 2 };
    static constexpr int rampSamples = 128;

    int index = 0;
    // Levels are fractional, on a scale of 0..255 for the whole sample
    // value, so that the quietest notes are still heard.
    float finalVolume = 0;
    int frequency = 0;
    int period = 0; // the effective period that frequency and step were found for
    int finalPanning = 128;
    const Sample* sample = nullptr;
    float targetLeft = 0;
    float targetRight = 0;
    std::uint32_t position = 0;
    std::uint32_t fraction = 0;
    std::int64_t step = 0; // 32.32 fixed point
    Direction direction = Direction::Forward;
    float previousTargetLeft = 0;
    float previousTargetRight = 0;
    float levelLeft = 0;
    float levelRight = 0;
    float incrementLeft = 0;
    float incrementRight = 0;
    int rampLeft = 0;
    // Left behind by its channel: drops its sample once faded to silence.
    bool fading = false;

    // Adds frames of this voice into an interleaved stereo float buffer.
    void mix(float* out, int frames);

private:
    void startRampIfNeeded();
    // No level now and none ramping in.
    bool isSilent() const;
    void mixStretch(float* out, int frames, std::int64_t& pos, std::int64_t delta);
    // Brings the position back inside the loop; false when the sample ended.
    bool wrap(std::int64_t& pos);
    // Wraps a position that reached the loop's or sample's end; false when
    // the sample ended and the voice dropped it.
    bool settle(std::int64_t& pos, std::int64_t start, std::int64_t end);
};
