#pragma once

#include <cstdint>

// The inner loops of the music mixing, four frames at a time in vector
// arithmetic: a sample resampled with linear interpolation into the stereo
// mix, and the mix rounded to 16 bits.
class StereoMixer {
public:
    // The gains of the first frame, and what each frame adds to them (0
    // outside a volume ramp).
    struct Gains {
        float left = 0;
        float right = 0;
        float stepLeft = 0;
        float stepRight = 0;
    };

    // Adds frames of the 16-bit sample data at 32.32 fixed-point position
    // pos, moving by delta a frame, into the interleaved stereo buffer out.
    // data must hold the sample after every position reached. pos ends past
    // the last frame.
    static void addInterpolated(float* out, int frames, const std::int16_t* data, std::int64_t& pos,
                                std::int64_t delta, const Gains& gains);
    // Where the processor has AVX2 the mixing runs 8 frames at a time; false
    // keeps it at 4 everywhere, so that tests and benchmarks reach both.
    static void allowWideVectors(bool allowed);

    // Rounds count floats to the nearest (ties to even) and clips them to
    // -32768..32767.
    static void toSixteenBits(const float* in, std::int16_t* out, int count);
};
