#include "platform/EffectMixer.h"
#include "platform/EffectOutput.h"
#include "platform/EffectVoice.h"
#include "support/AudioDriver.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

using platform::EffectBuffer;
using platform::EffectOutput;
using platform::PcmFormat;

namespace {

PcmFormat mono16(int rate) {
    return {1, rate, 16};
}

// A silent output with its clock in the test's hand.
class SilentEffects : public ::testing::Test {
protected:
    void SetUp() override {
        clock.now = 0xFFFFFF00u; // every timed buffer crosses the 32-bit wrap
        out.open();
        ASSERT_TRUE(out.isOpen());
        ASSERT_FALSE(out.isAudible());
    }
    FakeClock clock;
    AudioDriver driver = AudioDriver::none();
    EffectOutput out;
};

} // namespace

TEST_F(SilentEffects, RefusesFormatsAndSizesItCannotPlay) {
    EXPECT_EQ(out.createBuffer({1, 22050, 16}, 0), nullptr);
    EXPECT_EQ(out.createBuffer({1, 22050, 16}, 3), nullptr); // half a frame
    EXPECT_EQ(out.createBuffer({2, 22050, 16}, 6), nullptr);
    EXPECT_EQ(out.createBuffer({3, 22050, 8}, 3), nullptr);
    EXPECT_EQ(out.createBuffer({1, 22050, 24}, 3), nullptr);
    EXPECT_EQ(out.createBuffer({1, 99, 8}, 4), nullptr);
    EXPECT_EQ(out.createBuffer({1, 200001, 8}, 4), nullptr);
    EXPECT_NE(out.createBuffer({2, 200000, 8}, 4), nullptr);
    EXPECT_EQ(out.bufferCount(), 0u);

    auto b = out.createBuffer({1, 8000, 8}, 4);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->contents(), std::vector<std::uint8_t>(4, 128)); // 8-bit silence
    EXPECT_FALSE(b->isPlaying());
    EXPECT_EQ(b->volume(), 0);
    std::uint8_t bytes[3] = {1, 2, 3};
    EXPECT_FALSE(b->write(2, bytes, 3));
    EXPECT_EQ(b->contents(), std::vector<std::uint8_t>(4, 128));
    EXPECT_TRUE(b->write(1, bytes, 3));
    EXPECT_EQ(b->contents(), (std::vector<std::uint8_t>{128, 1, 2, 3}));
}

TEST_F(SilentEffects, PlaysForTheLengthOfItsSound) {
    auto b = out.createBuffer(mono16(22050), 22050 * 2); // one second
    ASSERT_NE(b, nullptr);
    b->play(false);
    EXPECT_TRUE(b->isPlaying());
    EXPECT_FALSE(b->isLooping());
    clock.now += 500;
    EXPECT_TRUE(b->isPlaying());
    EXPECT_EQ(b->position(), 11025u * 2);
    clock.now += 499;
    EXPECT_TRUE(b->isPlaying());
    clock.now += 1;
    EXPECT_FALSE(b->isPlaying());
    EXPECT_EQ(b->position(), 0u);

    // Restartable from the beginning.
    b->setPosition(0);
    b->play(false);
    clock.now += 200;
    EXPECT_TRUE(b->isPlaying());
    b->stop();
    EXPECT_FALSE(b->isPlaying());
    EXPECT_EQ(b->position(), 4410u * 2); // stopped where it was
    clock.now += 5000;
    EXPECT_EQ(b->position(), 4410u * 2);
}

TEST_F(SilentEffects, LoopingPlaysOnAndWraps) {
    auto b = out.createBuffer({2, 10000, 8}, 10000 * 2);
    ASSERT_NE(b, nullptr);
    b->play(true);
    EXPECT_TRUE(b->isLooping());
    clock.now += 2300;
    EXPECT_TRUE(b->isPlaying());
    EXPECT_EQ(b->position(), 3000u * 2);
}

TEST_F(SilentEffects, DuplicatesShareBytesButNotState) {
    auto a = out.createBuffer(mono16(44100), 8);
    ASSERT_NE(a, nullptr);
    auto b = a->duplicate();
    EXPECT_EQ(out.bufferCount(), 2u);
    std::uint8_t bytes[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    ASSERT_TRUE(a->write(0, bytes, 8));
    EXPECT_EQ(b->contents(), a->contents());
    a->play(true);
    a->setVolume(-20000);
    EXPECT_TRUE(a->isPlaying());
    EXPECT_FALSE(b->isPlaying());
    EXPECT_EQ(a->volume(), EffectBuffer::silentVolume);
    EXPECT_EQ(b->volume(), 0);
    b.reset();
    EXPECT_EQ(out.bufferCount(), 1u);
    // The bytes outlive the buffer that made them.
    b = a->duplicate();
    a.reset();
    EXPECT_EQ(b->contents()[7], 8);
}

TEST(OutputEffectMixer, ConvertsEveryFormatToStereo16AtItsVolume) {
    auto voice = [](PcmFormat f, std::vector<std::uint8_t> bytes) {
        platform::EffectVoice v;
        v.format = f;
        v.frames = bytes.size() / static_cast<unsigned>(f.frameBytes());
        v.data = std::make_shared<std::vector<std::uint8_t>>(std::move(bytes));
        v.step = (static_cast<std::uint64_t>(f.rate) << 32) / 44100;
        v.playing = true;
        return v;
    };
    platform::EffectMixer mixer; // never opened: mixing by hand
    std::vector<std::int16_t> out(8);

    // 8-bit mono: 128 is silence, 192 a quarter of full scale, both channels.
    auto v8 = voice({1, 44100, 8}, {192, 64, 128});
    mixer.add(&v8);
    mixer.mix(out.data(), 4);
    EXPECT_EQ(out, (std::vector<std::int16_t>{16384, 16384, -16384, -16384, 0, 0, 0, 0}));
    EXPECT_FALSE(v8.playing); // ran off its end
    mixer.remove(&v8);

    // 16-bit stereo little-endian, mixed with a second voice and clipped.
    auto vs = voice({2, 44100, 16}, {0x00, 0x10, 0x00, 0xF0, 0xFF, 0x7F, 0x00, 0x80});
    auto vm = voice({1, 44100, 16}, {0x00, 0x10, 0x00, 0x10});
    mixer.add(&vs);
    mixer.add(&vm);
    mixer.mix(out.data(), 2);
    EXPECT_EQ(out[0], 0x2000);
    EXPECT_EQ(out[1], 0);
    EXPECT_EQ(out[2], 32767);
    EXPECT_EQ(out[3], -32768 + 0x1000);
    mixer.remove(&vs);
    mixer.remove(&vm);

    // Half the rate: every other output frame lies halfway between two
    // source frames. -602 hundredths of a dB halves the level.
    auto vh = voice({1, 22050, 16}, {0x00, 0x00, 0x00, 0x40, 0x00, 0x00});
    vh.gain = static_cast<std::int32_t>(std::lround(65536 * std::pow(10.0, -602 / 2000.0)));
    mixer.add(&vh);
    mixer.mix(out.data(), 4);
    EXPECT_NEAR(out[0], 0, 1);
    EXPECT_NEAR(out[2], 4096, 2);
    EXPECT_NEAR(out[4], 8192, 2);
    EXPECT_NEAR(out[5], 8192, 2);
    EXPECT_NEAR(out[6], 4096, 2);
    mixer.remove(&vh);

    // A looping voice wraps to its start.
    auto vl = voice({1, 44100, 8}, {255, 1});
    vl.looping = true;
    mixer.add(&vl);
    mixer.mix(out.data(), 4);
    EXPECT_EQ(out[0], 127 * 256);
    EXPECT_EQ(out[2], -127 * 256);
    EXPECT_EQ(out[4], 127 * 256);
    EXPECT_TRUE(vl.playing);
    mixer.remove(&vl);
}

TEST(OutputEffectDevice, PlaysInRealTimeOnTheDummyDriver) {
    AudioDriver driver = AudioDriver::dummy();
    EffectOutput out;
    out.open();
    ASSERT_TRUE(out.isAudible());
    auto b = out.createBuffer({1, 11025, 8}, 11025 / 5); // 200 ms
    ASSERT_NE(b, nullptr);
    auto loop = b->duplicate();
    b->play(false);
    loop->play(true);
    EXPECT_TRUE(b->isPlaying());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_GT(b->position(), 0u);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (b->isPlaying() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(b->isPlaying());
    EXPECT_TRUE(loop->isPlaying());

    // Closing the device leaves the buffers playing silently.
    out.close();
    EXPECT_TRUE(loop->isPlaying());
    loop->stop();
    EXPECT_FALSE(loop->isPlaying());
}
