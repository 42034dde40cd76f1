#include "BoardTestSupport.h"

#include "audio/CSoundManager.h"
#include "audio/WaveTestFile.h"
#include "board/Blast.h"
#include "board/SoundIds.h"
#include "platform/MessageBox.h"
#include "support/AudioDriver.h"
#include "support/FakeClock.h"

#include <gtest/gtest.h>

using namespace boardtest;

namespace {

// The board's sounds on the silent output; the clock stands still, so an
// effect that was started is still playing when the test looks.
class BoardSounds : public BoardTest {
protected:
    // A failed load must fail the test, not wait for a click on a real box.
    struct SilentBox : platform::MessageBox {
        void show(const std::string&, const std::string&, platform::MessageIcon) override {}
    };

    void SetUp() override {
        BoardTest::SetUp();
        platform::setMessageBox(&box);
        sound = CSoundManager::instance();
        ASSERT_TRUE(sound->init());
        for (int id : {SoundIds::glassBreaks, SoundIds::waterDrop, SoundIds::bowl}) {
            std::string name = "board_" + std::to_string(id) + ".wav";
            ASSERT_TRUE(sound->load(
                wavetest::writeFile(name, wavetest::pcm(1, 8000, 8, wavetest::Bytes(8000, 200))),
                id));
        }
        sound->setEnabled(true);
    }
    void TearDown() override {
        CSoundManager::destroy();
        platform::setMessageBox(nullptr);
        BoardTest::TearDown();
    }
    bool playing(int id) { return sound->sample(id)->isPlaying(); }

    SilentBox box;
    FakeClock clock;
    AudioDriver driver = AudioDriver::none();
    CSoundManager* sound = nullptr;
};

TEST_F(BoardSounds, LineExplodesWithBreakingGlass) {
    auto f = bareField(emptyLevel());
    for (int c = 0; c < 2; ++c) {
        FieldTestAccess::put(*f, 4, c, 1);
    }
    f->update(16.0f);
    EXPECT_FALSE(playing(SoundIds::glassBreaks));
    FieldTestAccess::put(*f, 4, 2, 1);
    f->update(16.0f);
    EXPECT_TRUE(playing(SoundIds::glassBreaks));
    EXPECT_FALSE(playing(SoundIds::bowl));
}

TEST_F(BoardSounds, PoppingBallDropsWaterOnce) {
    Ball ball(1, {0.0f, 0.0f});
    ball.startPopping();
    ball.delay = 10.0f;
    ball.update(16.0f);
    EXPECT_FALSE(playing(SoundIds::waterDrop));
    ball.update(16.0f);
    EXPECT_TRUE(playing(SoundIds::waterDrop));
    EXPECT_TRUE(ball.popSoundPlayed);
}

TEST_F(BoardSounds, BlastStartsWithTheBowl) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 1, 2); // in the blast's way
    Blast blast(*f, f->centre(4, 4), Blast::chainRadius);
    EXPECT_FALSE(playing(SoundIds::bowl));
    blast.update(16.0f);
    EXPECT_TRUE(playing(SoundIds::bowl));
    // 45 px reach (4, 3) but not (4, 1).
    while (!blast.update(16.0f)) {
    }
    EXPECT_FALSE(playing(SoundIds::glassBreaks));
    FieldTestAccess::put(*f, 4, 5, 2);
    Blast second(*f, f->centre(4, 4), Blast::chainRadius);
    while (!second.update(16.0f)) {
    }
    EXPECT_TRUE(playing(SoundIds::glassBreaks));
}

} // namespace
