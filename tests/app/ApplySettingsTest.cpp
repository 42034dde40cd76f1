// The settings reaching the sound effects and the music once audio exists.
#include "app/Program.h"
#include "audio/CSoundManager.h"
#include "audio/ModulePlayer.h"
#include "audio/MusicPlaylist.h"
#include "persist/Settings.h"
#include "support/AudioDriver.h"

#include <gtest/gtest.h>

namespace {

class ApplySettings : public ::testing::Test {
protected:
    void SetUp() override {
        Settings::destroy();
        settings = Settings::create();
    }
    void TearDown() override {
        Settings::destroy();
        MusicPlaylist::destroy();
        if (ModulePlayer::exists())
            ModulePlayer::destroy();
        CSoundManager::destroy();
    }

    AudioDriver driver = AudioDriver::dummy();
    Settings* settings = nullptr;
};

TEST_F(ApplySettings, SwitchesTheEffectsAndLeavesTheMusicStoppedAtItsVolume) {
    settings->sound = false;
    settings->musicVolume = 23;
    MusicPlaylist* music = MusicPlaylist::instance();
    music->setPlaylist({"music/menu.xm"});
    CSoundManager::instance()->setEnabled(true);
    Program::applySettings(*settings);
    EXPECT_FALSE(CSoundManager::instance()->isEnabled());
    ASSERT_TRUE(music->isDeviceOpen());
    EXPECT_EQ(music->volume(), 23);
    EXPECT_TRUE(music->isEnabled());
    EXPECT_FALSE(music->isPlaying());
}

TEST_F(ApplySettings, AStoredVolumeOfZeroStartsWithTheMusicOff) {
    settings->musicVolume = 0;
    Program::applySettings(*settings);
    EXPECT_TRUE(CSoundManager::instance()->isEnabled());
    EXPECT_FALSE(MusicPlaylist::instance()->isEnabled());
    MusicPlaylist::instance()->setPlaylist({"music/menu.xm"});
    MusicPlaylist::instance()->playNext();
    EXPECT_FALSE(MusicPlaylist::instance()->isPlaying());
}

} // namespace
