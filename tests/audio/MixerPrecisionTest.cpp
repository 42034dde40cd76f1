// The vector mixer against plain mixing, one frame at a time, of the same
// songs: the output may differ by rounding alone.
#include "ModuleTestSongs.h"
#include "audio/ModulePlayer.h"
#include "audio/StereoMixer.h"
#include "xmwriter/BusySong.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace testsongs;

namespace {

// One voice mixed the plain way: every frame checks the loop end, reads two
// samples, interpolates and adds them at the ramped levels.
void plainMix(Voice& v, float* out, int frames) {
    if (v.sample == nullptr) {
        return;
    }
    if (v.targetLeft != v.previousTargetLeft || v.targetRight != v.previousTargetRight) {
        v.previousTargetLeft = v.targetLeft;
        v.previousTargetRight = v.targetRight;
        v.incrementLeft = (v.targetLeft - v.levelLeft) / Voice::rampSamples;
        v.incrementRight = (v.targetRight - v.levelRight) / Voice::rampSamples;
        v.rampLeft = Voice::rampSamples;
    }
    const Sample& s = *v.sample;
    const std::int64_t start = std::int64_t{s.loopStart} << 32;
    const std::int64_t end = std::int64_t{s.loopEnd()} << 32;
    std::int64_t pos = (std::int64_t{v.position} << 32) | v.fraction;
    for (int i = 0; i <= frames; ++i) {
        const bool forward = v.direction == Voice::Direction::Forward;
        if (forward ? pos >= end : pos <= start) {
            if (s.loopType == Sample::noLoop) {
                v.sample = nullptr;
                return;
            }
            if (s.loopType == Sample::forwardLoop) {
                pos -= end - start;
            } else if (forward) {
                pos = 2 * end - pos;
                v.direction = Voice::Direction::Backward;
            } else {
                pos = 2 * start - pos;
                v.direction = Voice::Direction::Forward;
            }
        }
        if (i == frames) {
            break;
        }
        const auto index = static_cast<std::size_t>(pos >> 32);
        const float f = static_cast<float>(static_cast<std::uint32_t>(pos) >> 1) / 2147483648.0f;
        const float a = s.data[index];
        const float value = a + (s.data[index + 1] - a) * f;
        out[2 * i] += value * v.levelLeft / 255.0f;
        out[2 * i + 1] += value * v.levelRight / 255.0f;
        if (v.rampLeft > 0) {
            v.levelLeft += v.incrementLeft;
            v.levelRight += v.incrementRight;
            if (--v.rampLeft == 0) {
                v.levelLeft = v.targetLeft;
                v.levelRight = v.targetRight;
            }
        }
        pos += v.direction == Voice::Direction::Forward ? v.step : -v.step;
    }
    v.position = static_cast<std::uint32_t>(pos >> 32);
    v.fraction = static_cast<std::uint32_t>(pos);
    if (v.fading && v.rampLeft == 0 && v.levelLeft == 0 && v.levelRight == 0) {
        v.sample = nullptr;
    }
}

// The module's own render loop, with the plain mixing in place of its own.
void plainRender(Module& m, float* out, int frames) {
    while (frames > 0) {
        if (m.samplesLeftInTick == 0) {
            m.tickFunction();
            m.samplesLeftInTick = m.samplesPerTick;
        }
        const int n = std::min(m.samplesLeftInTick, frames);
        for (Voice& v : m.voices) {
            plainMix(v, out, n);
        }
        m.samplesLeftInTick -= n;
        frames -= n;
        out += 2 * n;
    }
}

struct Comparison {
    int largestDifference = 0;
    double heard = 0; // share of the output values that are not silent
};

// Renders seconds of a song both ways in blocks of the player and compares
// the 16-bit output.
Comparison compare(const xm::Song& song, double seconds) {
    auto fast = load(song);
    auto plain = load(song);
    const int block = ModulePlayer::blockFrames;
    std::vector<float> a(2 * block), b(2 * block);
    std::vector<std::int16_t> a16(2 * block), b16(2 * block);
    Comparison result;
    std::size_t values = 0, sounding = 0;
    for (int done = 0; done < seconds * Module::rate; done += block) {
        std::fill(a.begin(), a.end(), 0.0f);
        std::fill(b.begin(), b.end(), 0.0f);
        fast->render(a.data(), block);
        plainRender(*plain, b.data(), block);
        StereoMixer::toSixteenBits(a.data(), a16.data(), 2 * block);
        StereoMixer::toSixteenBits(b.data(), b16.data(), 2 * block);
        for (int i = 0; i < 2 * block; ++i) {
            result.largestDifference =
                std::max(result.largestDifference, std::abs(a16[i] - b16[i]));
            sounding += std::abs(b16[i]) > 100;
            ++values;
        }
    }
    result.heard = static_cast<double>(sounding) / static_cast<double>(values);
    return result;
}

} // namespace

// Both vector widths, where the processor has the wider one.
class MixerPrecision : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { StereoMixer::allowWideVectors(GetParam()); }
    void TearDown() override { StereoMixer::allowWideVectors(true); }
};

INSTANTIATE_TEST_SUITE_P(Widths, MixerPrecision, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Wide" : "Narrow"; });

TEST_P(MixerPrecision, BusySongMatchesPlainMixingWithinOneStep) {
    // Forward and ping-pong loops, 8- and 16-bit data, slides, vibrato,
    // tremolo and a new note every other row on every channel.
    const Comparison c = compare(xm::busySong(12), 6.0);
    EXPECT_LE(c.largestDifference, 1);
    EXPECT_GT(c.heard, 0.9);
}

TEST_P(MixerPrecision, ShortNotesCutsAndOddStretchesMatchPlainMixing) {
    // Samples that end, cuts and delays that ramp mid-tick, a tempo that
    // makes ticks of odd lengths and steps above one sample a frame.
    xm::Sample once = sine(16, 37, 30);
    once.loop = xm::Sample::Loop::None;
    xm::Song s = song(32, 4, once);
    s.instruments.push_back(instrument(sine(8, 23, 5)));
    s.instruments[1].samples[0].loop = xm::Sample::Loop::PingPong;
    s.instruments[1].samples[0].loopStart = 7;
    s.instruments[1].samples[0].loopLength = 61;
    s.bpm = 97;
    const char* notes[] = {"C-5", "G-6", "D#3", "A-7", "F-2"};
    for (int r = 0; r < 32; ++r) {
        for (int c = 0; c < 4; ++c) {
            if ((r + c) % 3 == 0) {
                s.patterns[0].at(r, c) = cell(notes[(r + 2 * c) % 5], 1 + (r + c) % 2, 0x20 + r);
            }
        }
        s.patterns[0].at(r, 1).effect = 0xE;
        s.patterns[0].at(r, 1).param = static_cast<std::uint8_t>(0xC0 | (r % 5)); // cuts
        s.patterns[0].at(r, 2).effect = 0x8;
        s.patterns[0].at(r, 2).param = static_cast<std::uint8_t>(r * 8); // panning
    }
    const Comparison c = compare(s, 4.0);
    EXPECT_LE(c.largestDifference, 1);
    EXPECT_GT(c.heard, 0.5);
}

TEST(MixerRounding, SixteenBitsRoundLikeLrintAndClip) {
    std::vector<float> in = {0.0f,     0.5f,      1.5f,      2.5f,      -0.5f,    -1.5f,
                             -2.5f,    0.49999f,  -0.5001f,  32766.5f,  32767.4f, 32767.5f,
                             40000.0f, -32767.5f, -32768.4f, -32768.5f, -1e7f,    1e9f};
    for (int i = -70000; i <= 70000; i += 7) {
        in.push_back(static_cast<float>(i) / 2.0f + 0.25f * static_cast<float>(i % 3));
    }
    std::vector<std::int16_t> out(in.size());
    StereoMixer::toSixteenBits(in.data(), out.data(), static_cast<int>(in.size()));
    for (std::size_t i = 0; i < in.size(); ++i) {
        const long want = std::clamp(std::lrint(in[i]), -32768L, 32767L);
        ASSERT_EQ(out[i], want) << in[i];
    }
}
