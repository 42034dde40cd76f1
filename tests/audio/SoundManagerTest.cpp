#include "audio/CSoundManager.h"
#include "audio/WaveTestFile.h"
#include "platform/EffectOutput.h"
#include "platform/MessageBox.h"
#include "support/AudioDriver.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace wavetest;

namespace {

struct Box {
    std::string text, caption;
    platform::MessageIcon icon;
};

class RecordingBox : public platform::MessageBox {
public:
    void show(const std::string& text, const std::string& caption,
              platform::MessageIcon icon) override {
        boxes.push_back({text, caption, icon});
    }
    std::vector<Box> boxes;
};

// The manager on the silent output, its clock in the test's hand, and the
// message boxes it shows collected instead of shown.
class SoundManager : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setMessageBox(&box);
        sound = CSoundManager::instance();
    }
    void TearDown() override {
        CSoundManager::destroy();
        platform::setMessageBox(nullptr);
    }

    // A second of 8-bit mono sound at 8000 Hz.
    std::string second(const std::string& name) {
        return writeFile(name, pcm(1, 8000, 8, Bytes(8000, 200)));
    }

    FakeClock clock;
    AudioDriver driver = AudioDriver::none();
    RecordingBox box;
    std::vector<Box>& boxes = box.boxes;
    CSoundManager* sound = nullptr;
};

} // namespace

TEST_F(SoundManager, IsASingletonStartingSwitchedOff) {
    EXPECT_EQ(CSoundManager::instance(), sound);
    EXPECT_FALSE(sound->isEnabled());
    EXPECT_FALSE(sound->isStereoInverted());
    EXPECT_EQ(sound->output(), nullptr);
    sound->setStereoInverted(true);
    EXPECT_TRUE(sound->isStereoInverted());
    CSoundManager::destroy();
    sound = CSoundManager::instance();
    EXPECT_FALSE(sound->isStereoInverted());
}

TEST_F(SoundManager, SwitchedOffPlaysNothingAndForgetsWhatItMissed) {
    ASSERT_TRUE(sound->init());
    EXPECT_FALSE(sound->output()->isAudible());
    ASSERT_TRUE(sound->load(second("off_101.wav"), 101));
    sound->play(101, true, false);
    EXPECT_FALSE(sound->sample(101)->isPlaying());
    sound->setEnabled(true);
    EXPECT_FALSE(sound->sample(101)->isPlaying());
    sound->play(101, true, false);
    EXPECT_TRUE(sound->sample(101)->isPlaying());
    EXPECT_EQ(sound->sample(101)->buffer(0).volume(), 0); // volume 100: full level

    // Switching off does not cut what already sounds, but starts nothing new.
    clock.now += 400;
    sound->setEnabled(false);
    sound->play(101, true, false);
    EXPECT_EQ(sound->sample(101)->buffer(0).position(), 3200u);
    clock.now += 600;
    EXPECT_FALSE(sound->sample(101)->isPlaying());

    sound->play(999, true, false); // no such effect: nothing at all
}

TEST_F(SoundManager, SecondLoadUnderAnIdFreesTheFirst) {
    ASSERT_TRUE(sound->init());
    ASSERT_TRUE(sound->load(second("twice_a.wav"), 102));
    ASSERT_TRUE(sound->load(writeFile("twice_b.wav", pcm(2, 8000, 16, Bytes(400, 1))), 102));
    EXPECT_EQ(sound->output()->bufferCount(), 1u);
    EXPECT_EQ(sound->sample(102)->bufferSize(), 400u);
    EXPECT_EQ(sound->sample(102)->buffer(0).format().channels, 2);
    ASSERT_TRUE(sound->load(second("twice_c.wav"), 103));
    EXPECT_EQ(sound->output()->bufferCount(), 2u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(SoundManager, PadsAPartialLastFrameWithSilence) {
    ASSERT_TRUE(sound->init());
    // 8-bit stereo, five bytes: the last frame lacks its right sample.
    ASSERT_TRUE(sound->load(writeFile("pad8.wav", pcm(2, 11025, 8, {10, 20, 30, 40, 50})), 104));
    EXPECT_EQ(sound->sample(104)->bufferSize(), 6u);
    EXPECT_EQ(sound->sample(104)->buffer(0).contents(), (Bytes{10, 20, 30, 40, 50, 128}));
    // 16-bit mono, three bytes: the high byte of the second sample.
    ASSERT_TRUE(sound->load(writeFile("pad16.wav", pcm(1, 11025, 16, {0xFF, 0xFF, 0x33})), 105));
    EXPECT_EQ(sound->sample(105)->bufferSize(), 4u);
    EXPECT_EQ(sound->sample(105)->buffer(0).contents(), (Bytes{0xFF, 0xFF, 0x33, 0}));
}

TEST_F(SoundManager, PlayingEffectIsLeftAloneUnlessEvenIfPlaying) {
    ASSERT_TRUE(sound->init());
    sound->setEnabled(true);
    ASSERT_TRUE(sound->load(second("busy.wav"), 101));
    const platform::EffectBuffer& b = sound->sample(101)->buffer(0);
    sound->play(101, false, false);
    clock.now += 250;
    EXPECT_EQ(b.position(), 2000u);
    sound->play(101, false, false);
    EXPECT_EQ(b.position(), 2000u);
    EXPECT_TRUE(b.isPlaying());
    sound->play(101, true, false); // restarts from its beginning
    EXPECT_EQ(b.position(), 0u);
    clock.now += 999;
    EXPECT_TRUE(b.isPlaying());
    clock.now += 1;
    EXPECT_FALSE(b.isPlaying());
    sound->play(101, false, false); // finished: plays again
    EXPECT_TRUE(b.isPlaying());
    EXPECT_FALSE(b.isLooping());

    sound->play(101, true, true);
    clock.now += 60000;
    EXPECT_TRUE(b.isPlaying());
    EXPECT_TRUE(b.isLooping());
}

TEST_F(SoundManager, FailedLoadShowsTheBoxAndRegistersNothing) {
    EXPECT_FALSE(sound->load(second("early.wav"), 107)); // no device yet
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Failure creating the SoundManager.");
    EXPECT_EQ(boxes[0].caption, "CSoundManager");
    EXPECT_EQ(boxes[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(sound->sample(107), nullptr);

    ASSERT_TRUE(sound->init());
    ASSERT_TRUE(sound->load(second("keep.wav"), 107));
    SoundSample* kept = sound->sample(107);
    Bytes fmt24 = riff({{"fmt ", fmtBody(1, 1, 8000, 24), {}}, {"data", Bytes(6, 0), {}}});
    Bytes lying = pcm(1, 8000, 8, Bytes(100, 1));
    lying.resize(lying.size() - 1); // the data chunk claims one byte more than there is
    Bytes badAlign = pcm(1, 8000, 16, Bytes(8, 0));
    badAlign[32] = 4;
    const std::pair<const char*, Bytes> bad[] = {
        {"missing.wav", {}},     {"empty.wav", pcm(1, 8000, 8, {})},
        {"bits24.wav", fmt24},   {"lying.wav", lying},
        {"align.wav", badAlign},
    };
    for (const auto& [name, bytes] : bad) {
        std::string path =
            std::string(name) == "missing.wav" ? "no/such/missing.wav" : writeFile(name, bytes);
        EXPECT_FALSE(sound->load(path, 107)) << name;
    }
    EXPECT_EQ(boxes.size(), 1u + std::size(bad));
    EXPECT_EQ(sound->sample(107), kept);
    EXPECT_EQ(sound->output()->bufferCount(), 1u);
}

TEST_F(SoundManager, EffectsPlayOnTheDummyDevice) {
    AudioDriver dummy = AudioDriver::dummy();
    ASSERT_TRUE(sound->init());
    ASSERT_TRUE(sound->output()->isAudible());
    sound->setEnabled(true);
    ASSERT_TRUE(
        sound->load(writeFile("dummy_short.wav", pcm(1, 22050, 16, Bytes(2205 * 2, 0x20))), 1001));
    ASSERT_TRUE(sound->load(second("dummy_long.wav"), 109));
    sound->play(1001, true, false);
    sound->play(109, true, false);
    EXPECT_TRUE(sound->sample(1001)->isPlaying());
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (sound->sample(1001)->isPlaying() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_FALSE(sound->sample(1001)->isPlaying()); // 100 ms of sound
    EXPECT_TRUE(sound->sample(109)->isPlaying());   // one second
}
