// Voices and mixing: levels, ramps, twin voices, loops and guard samples.
#include "ModuleTestSongs.h"
#include "audio/ModulePlayer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace testsongs;

namespace {

// Frames of one channel of interleaved stereo.
std::vector<float> side(const std::vector<float>& out, int channel) {
    std::vector<float> v;
    for (std::size_t i = channel; i < out.size(); i += 2) {
        v.push_back(out[i]);
    }
    return v;
}

} // namespace

TEST(ModuleMix, ConstantSampleComesOutAtTheVoiceLevel) {
    xm::Sample sample = dc(16384);
    sample.panning = 0;
    xm::Song s = song(4, 1, sample);
    s.patterns[0].at(0, 0) = cell("C-4");
    auto m = load(s);
    const std::vector<float> out = renderFloat(*m, 800);
    const Voice& v = m->voices[0];
    EXPECT_FLOAT_EQ(v.finalVolume, 127.5f);
    EXPECT_FLOAT_EQ(v.targetLeft, 127.5f); // panning 0 is the left
    EXPECT_EQ(v.targetRight, 0.0f);
    // Ramped in over 128 frames, then steady at level / 255.
    EXPECT_FLOAT_EQ(out[0], 0.0f);
    EXPECT_NEAR(out[2 * 64], 16384.0f / 2 * 64 / 128, 0.01f);
    EXPECT_NEAR(out[2 * 500], 16384.0f / 2, 0.01f);
    for (float r : side(out, 1)) {
        ASSERT_EQ(r, 0.0f);
    }
}

TEST(ModuleMix, EveryNonZeroVolumeIsHeardAndOrdinaryOnesKeepTheirLoudness) {
    // In the middle of the stereo field, at the quietest, the game's usual
    // and the loudest music volume.
    for (int globalVolume : {1, 40, 64}) {
        float previous = 0.0f;
        for (int volume = 1; volume <= 64; ++volume) {
            xm::Song s = song(4, 1, dc(16384));
            s.patterns[0].at(0, 0) = cell("C-4", 1, 0x10 + volume);
            auto m = load(s, globalVolume);
            const std::vector<float> out = renderFloat(*m, 300);
            const float left = out[2 * 299];
            const double share = 64.0 * volume * 65536 * globalVolume / 0x1p35;
            EXPECT_NEAR(left, 16384 * share * 127 / 255, 1e-3 * left) << volume;
            EXPECT_NEAR(out[2 * 299 + 1], 16384 * share * 128 / 255, 1e-3 * left) << volume;
            ASSERT_GT(left, previous) << volume << " at " << globalVolume;
            previous = left;
            // Levels cut to whole steps of 0..255 (twice: the volume, then
            // the side) came out up to two steps quieter, never louder.
            const int whole = static_cast<int>(share * 255);
            const double wholeLeft = 16384.0 * (whole * 127 / 255) / 255;
            EXPECT_GE(left, wholeLeft - 1e-3) << volume;
            EXPECT_LT(left, wholeLeft + 2 * 16384.0 / 255) << volume;
        }
    }
}

TEST(ModuleMix, EightBitSampleAndItsSixteenBitTwinSoundTheSame) {
    xm::Sample eight = sine(8, 50, 3);
    xm::Sample sixteen = eight;
    sixteen.bits = 16;
    for (int& v : sixteen.pcm) {
        v *= 256;
    }
    for (xm::Sample::Loop loop : {xm::Sample::Loop::Forward, xm::Sample::Loop::PingPong}) {
        eight.loop = sixteen.loop = loop;
        eight.loopStart = sixteen.loopStart = 20;
        eight.loopLength = sixteen.loopLength = 100;
        xm::Song a = song(8, 1, eight);
        a.patterns[0].at(0, 0) = cell("C-5");
        a.patterns[0].at(4, 0) = cell("G-3", 1, 0, 0x4, 0x46);
        xm::Song b = a;
        b.instruments[0].samples[0] = sixteen;
        auto ma = load(a);
        auto mb = load(b);
        ASSERT_TRUE(ma && mb);
        EXPECT_EQ(ma->samples[0]->data, mb->samples[0]->data);
        EXPECT_EQ(ma->samples[0]->bits, 16);
        const std::vector<float> ra = renderFloat(*ma, 44100);
        EXPECT_EQ(ra, renderFloat(*mb, 44100));
        EXPECT_GT(*std::max_element(ra.begin(), ra.end()), 1000.0f);
    }
}

TEST(ModuleMix, LoopsKeepTheirGuardSample) {
    xm::Sample forward;
    forward.bits = 16;
    forward.pcm = {100, 200, 300, 400, 500, 600, 700, 800};
    forward.loop = xm::Sample::Loop::Forward;
    forward.loopStart = 2;
    forward.loopLength = 4;
    xm::Sample pingPong = forward;
    pingPong.loop = xm::Sample::Loop::PingPong;
    xm::Sample none = forward;
    none.loop = xm::Sample::Loop::None;
    xm::Song s = song(4, 1, forward);
    s.instruments[0].samples.push_back(pingPong);
    s.instruments[0].samples.push_back(none);
    auto m = load(s);
    ASSERT_TRUE(m);
    const Sample& f = *m->samples[0];
    const Sample& p = *m->samples[1];
    const Sample& n = *m->samples[2];
    EXPECT_EQ(f.loopType, Sample::forwardLoop);
    EXPECT_EQ(f.data[6], 300); // the loop's first sample after its end
    EXPECT_EQ(p.loopType, Sample::pingPongLoop);
    EXPECT_EQ(p.data[6], 600); // the loop's last sample
    EXPECT_EQ(n.loopType, Sample::noLoop);
    EXPECT_EQ(n.loopStart, 0u);
    EXPECT_EQ(n.loopLength, 8u);
    EXPECT_EQ(n.data[8], 0);
    for (const Sample* sample : {&f, &p, &n}) {
        EXPECT_GE(sample->data.size(), sample->length + 1u + Sample::slackSamples);
    }
}

TEST(ModuleMix, ForwardLoopWrapsAndPingPongBounces) {
    // A ramp 0..63 x 256: the output follows the playing position.
    xm::Sample ramp;
    ramp.bits = 16;
    for (int i = 0; i < 64; ++i) {
        ramp.pcm.push_back(i * 256);
    }
    ramp.loop = xm::Sample::Loop::PingPong;
    ramp.loopStart = 32;
    ramp.loopLength = 32;
    ramp.panning = 0;
    xm::Song s = song(4, 1, ramp);
    s.patterns[0].at(0, 0) = cell("C-6"); // 4 x 8363 Hz: about 0.76 samples a frame
    auto m = load(s);
    renderFloat(*m, 200);
    Voice& v = m->voices[0];
    ASSERT_NE(v.sample, nullptr);
    bool wentBackward = false;
    for (int i = 0; i < 400; ++i) {
        renderFloat(*m, 1);
        wentBackward |= v.direction == Voice::Direction::Backward;
        ASSERT_GE(v.position, 32u);
        ASSERT_LE(v.position, 64u);
    }
    EXPECT_TRUE(wentBackward);

    s.instruments[0].samples[0].loop = xm::Sample::Loop::Forward;
    m = load(s);
    renderFloat(*m, 200);
    std::uint32_t previous = m->voices[0].position;
    int wraps = 0;
    for (int i = 0; i < 400; ++i) {
        renderFloat(*m, 1);
        const std::uint32_t now = m->voices[0].position;
        ASSERT_GE(now, 32u);
        ASSERT_LT(now, 64u);
        wraps += now < previous ? 1 : 0;
        previous = now;
        ASSERT_EQ(m->voices[0].direction, Voice::Direction::Forward);
    }
    EXPECT_GE(wraps, 8);
}

TEST(ModuleMix, SampleWithoutLoopStopsItsVoice) {
    xm::Sample once = dc(1000, 100);
    once.loop = xm::Sample::Loop::None;
    xm::Song s = song(4, 1, once);
    s.patterns[0].at(0, 0) = cell("C-4");
    auto m = load(s);
    const std::vector<float> out = renderFloat(*m, 2000);
    EXPECT_EQ(m->voices[0].sample, nullptr);
    EXPECT_NE(out[2 * 50], 0.0f);
    EXPECT_EQ(out[2 * 1000], 0.0f);
}

TEST(ModuleMix, NewNoteStartsOnTheTwinVoiceAndRampsInWithoutAClick) {
    xm::Sample level = dc(20000);
    level.panning = 0;
    xm::Song s = song(4, 1, level);
    s.speed = 2;
    s.patterns[0].at(0, 0) = cell("C-4", 1, 0, 0xE, 0xC1); // cut at tick 1
    s.patterns[0].at(1, 0) = cell("C-4");
    s.patterns[0].at(2, 0) = cell("C-4");
    auto m = load(s);
    const std::vector<float> left = side(renderFloat(*m, 3 * 2 * 882), 0);
    const float full = 20000.0f / 2;
    // The cut ramps out over 128 frames from the start of tick 1.
    EXPECT_NEAR(left[882 + 64], full / 2, 150.0f);
    EXPECT_EQ(left[882 + 200], 0.0f);
    // The new note of row 1 ramps in from silence: no jump to full level.
    const int start = 2 * 882;
    EXPECT_LE(std::fabs(left[start]), full / 128 + 1);
    for (int i = 1; i < 128; ++i) {
        ASSERT_LE(std::fabs(left[start + i] - left[start + i - 1]), full / 128 + 2) << i;
    }
    EXPECT_NEAR(left[start + 200], full, 0.01f);
    // Row 2 retriggers while row 1 still sounds: the old voice ramps out as the
    // new one ramps in, so the sum stays level.
    const int again = 4 * 882;
    EXPECT_EQ(m->channels[0].voice, 0);
    for (int i = 0; i < 200; ++i) {
        ASSERT_NEAR(left[again + i], full, full / 64) << i;
    }
}

TEST(ModuleMix, BlockMixingRoundsAndClipsToSixteenBits) {
    xm::Sample loud = dc(32767);
    loud.panning = 0;
    xm::Song s = song(4, 4, loud);
    for (int c = 0; c < 4; ++c) {
        s.patterns[0].at(0, c) = cell("C-4");
    }
    auto m = load(s);
    std::vector<float> mix(2 * ModulePlayer::blockFrames);
    std::vector<std::int16_t> out(2 * ModulePlayer::blockFrames);
    ModulePlayer::mixBlock(*m, mix.data(), out.data());
    EXPECT_EQ(out[0], 0);
    EXPECT_GT(mix[2 * 800], 32767.0f); // four voices sum past full scale...
    EXPECT_EQ(out[2 * 800], 32767);    // ...and clip, never wrap
    EXPECT_EQ(out[2 * 10], static_cast<std::int16_t>(std::lrint(mix[2 * 10])));
}
