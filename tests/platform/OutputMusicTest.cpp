#include "platform/MusicOutput.h"
#include "support/AudioDriver.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

using platform::MusicOutput;

TEST(OutputMusic, SilentFallbackKeepsTimeThroughTheClock) {
    FakeClock clock;
    clock.now = 0xFFFFFF00u; // the position counts on across the 32-bit wrap
    AudioDriver driver = AudioDriver::none();
    auto out = platform::createMusicOutput();
    EXPECT_FALSE(out->open(6));
    EXPECT_FALSE(out->open(0));
    ASSERT_TRUE(out->open(176800));
    EXPECT_TRUE(out->isOpen());
    EXPECT_FALSE(out->isAudible());
    ASSERT_NE(out->ring(), nullptr);
    EXPECT_EQ(out->ringBytes(), 176800u);
    EXPECT_TRUE(std::all_of(out->ring(), out->ring() + 176800 / 2, [](auto s) { return s == 0; }));

    EXPECT_EQ(out->playPosition(), 0u);
    clock.now += 100;
    EXPECT_EQ(out->playPosition(), 0u); // not started
    out->start();
    clock.now += 1000;
    EXPECT_EQ(out->playPosition(), 176400u);
    clock.now += 1500;
    EXPECT_EQ(out->playPosition(), 176400u * 5 / 2); // counts on past the ring
    out->reset();
    EXPECT_EQ(out->playPosition(), 0u);
    out->start();
    clock.now += 10;
    EXPECT_EQ(out->playPosition(), 1764u);
    out->close();
    EXPECT_FALSE(out->isOpen());
    EXPECT_EQ(out->ring(), nullptr);
    EXPECT_EQ(out->playPosition(), 0u);
}

TEST(OutputMusic, RingPlaysInRealTimeOnTheDummyDriver) {
    AudioDriver driver = AudioDriver::dummy();
    auto out = platform::createMusicOutput();
    ASSERT_TRUE(out->open(176800));
    ASSERT_TRUE(out->isAudible());
    std::fill(out->ring(), out->ring() + 176800 / 2, std::int16_t{1000});
    out->start();
    auto t0 = std::chrono::steady_clock::now();
    std::uint64_t last = 0;
    for (int i = 0; i < 6; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        std::uint64_t p = out->playPosition();
        EXPECT_GE(p, last);
        EXPECT_EQ(p % 4, 0u);
        last = p;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    // Up to 176400 bytes a second (the dummy driver's thread falls behind on
    // a busy machine, never ahead), past the end of the ring and round again.
    EXPECT_GT(last, 176800u);
    EXPECT_GT(static_cast<double>(last), 176400 * seconds / 2);
    EXPECT_LT(static_cast<double>(last), 176400 * (seconds + 0.3));
    out->reset();
    EXPECT_EQ(out->playPosition(), 0u);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(out->playPosition(), 0u);
    out->close();
}
