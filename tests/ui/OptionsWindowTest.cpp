#include "ui/OptionsWindow.h"
#include "audio/CSoundManager.h"
#include "audio/MusicPlaylist.h"
#include "persist/Settings.h"
#include "support/MenuFolder.h"
#include "support/MenuMusic.h"
#include "support/RecordingFrame.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/TrackBar.h"
#include "ui/UiResources.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class OptionsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write(OptionsWindow::layoutName, "m_close_btn.x 600\nm_close_btn.y 500\n"
                                                "m_musik_volume_track_bar.x 300\n"
                                                "m_musik_volume_track_bar.y 200\n"
                                                "m_sound_cb.x 300\nm_sound_cb.y 250\n"
                                                "m_hints_cb.x 300\nm_hints_cb.y 300\n"
                                                "m_dragons_cb.x 300\nm_dragons_cb.y 350\n"
                                                "m_fs_cb.x 300\nm_fs_cb.y 400\n");
        resources.load();
    }

    std::unique_ptr<OptionsWindow> open() {
        auto window = std::make_unique<OptionsWindow>(800.0f, 600.0f);
        frame.pushWindow(window.get());
        return window;
    }
    // A click as the player makes it: the pointer comes over the point first.
    static void click(OptionsWindow& window, int x, int y) {
        window.onMouseMove(x, y, 0);
        window.onLButtonDown(x, y, 0);
        window.onLButtonUp(x, y, 0);
    }
    // Drags the slider's thumb from its place to a client x.
    static void dragThumbTo(OptionsWindow& window, int x, bool release) {
        const int grab = static_cast<int>(window.volumeSlider()->thumbX()) + 10;
        window.onLButtonDown(grab, 210, 0);
        window.onMouseMove(x, 210, 0);
        if (release)
            window.onLButtonUp(x, 210, 0);
    }

    MenuFolder folder;
    RecordingFrame frame;
    UiResources resources;
};

TEST_F(OptionsWindowTest, StartsFromTheSettingsAndTheDisplay) {
    folder.settings->musicVolume = 32;
    folder.settings->sound = false;
    folder.settings->hints = true;
    folder.settings->showDragons = true;
    frame.fullScreen = true;
    auto window = open();
    EXPECT_FLOAT_EQ(window->volumeSlider()->getValue(), 32.0f);
    EXPECT_FLOAT_EQ(window->volumeSlider()->maximum(), 64.0f);
    EXPECT_FLOAT_EQ(window->volumeSlider()->length(), 204.0f);
    EXPECT_FALSE(window->soundBox()->isChecked());
    EXPECT_TRUE(window->hintsBox()->isChecked());
    EXPECT_TRUE(window->dragonsBox()->isChecked());
    EXPECT_TRUE(window->fullScreenBox()->isChecked());
    EXPECT_FALSE(window->isDraggable());
    // The controls are where the layout puts them, in their input order.
    EXPECT_FLOAT_EQ(window->closeButton()->x(), 600.0f);
    EXPECT_FLOAT_EQ(window->fullScreenBox()->y(), 400.0f);
    ASSERT_EQ(window->widgets().size(), 6u);
    EXPECT_EQ(window->widgets()[1], window->volumeSlider());
    EXPECT_EQ(window->widgets()[5], window->fullScreenBox());
}

TEST_F(OptionsWindowTest, TheBoxesChangeTheSettingsAtOnce) {
    auto window = open();
    click(*window, 310, 260);
    EXPECT_FALSE(folder.settings->sound);
    EXPECT_FALSE(CSoundManager::instance()->isEnabled());
    click(*window, 310, 260);
    EXPECT_TRUE(folder.settings->sound);
    EXPECT_TRUE(CSoundManager::instance()->isEnabled());
    click(*window, 310, 310);
    EXPECT_TRUE(folder.settings->hints);
    click(*window, 310, 360);
    EXPECT_FALSE(folder.settings->showDragons);
    // A press beside a box changes nothing.
    click(*window, 340, 360);
    EXPECT_FALSE(folder.settings->showDragons);
}

TEST_F(OptionsWindowTest, TheMusicFollowsTheThumbAndTheReleaseStoresIt) {
    MenuMusic music(*folder.settings);
    auto window = open();
    // Half way along the 204-pixel track: 32 of 64.
    dragThumbTo(*window, 300 + 102 + 10, false);
    window->draw();
    EXPECT_EQ(folder.settings->musicVolume, 32);
    EXPECT_EQ(MusicPlaylist::instance()->volume(), 32);
    window->onLButtonUp(412, 210, 0);
    EXPECT_EQ(folder.settings->musicVolume, 32);
    // Past the end of the track the thumb stops at the loudest.
    dragThumbTo(*window, 790, true);
    window->draw();
    EXPECT_EQ(folder.settings->musicVolume, 64);
}

TEST_F(OptionsWindowTest, VolumeZeroStopsTheMusicAndRaisingItPlaysTheNextFile) {
    MenuMusic music(*folder.settings);
    MusicPlaylist::instance()->setPlaylist({"music/a.xm", "music/b.xm"});
    MusicPlaylist::instance()->playNext();
    ASSERT_TRUE(MusicPlaylist::instance()->isPlaying());
    auto window = open();
    dragThumbTo(*window, 0, true);
    window->draw();
    EXPECT_EQ(folder.settings->musicVolume, 0);
    EXPECT_FALSE(MusicPlaylist::instance()->isPlaying());
    dragThumbTo(*window, 400, true);
    window->draw();
    EXPECT_TRUE(MusicPlaylist::instance()->isPlaying());
    EXPECT_EQ(MusicPlaylist::instance()->current(), 1);
    EXPECT_EQ(music.reads.back(), "music/b.xm");
}

TEST_F(OptionsWindowTest, EscapeClosesLikeTheCloseButton) {
    auto window = open();
    window->onKeyDown(27);
    EXPECT_EQ(frame.count("closeLater"), 1);
    click(*window, 610, 510);
    EXPECT_EQ(frame.count("closeLater"), 2);
    window->onKeyDown(13);
    EXPECT_EQ(frame.count("closeLater"), 2);
}

TEST_F(OptionsWindowTest, TickingFullScreenSwitchesAtTheNextUpdateWithTheNextTune) {
    MenuMusic music(*folder.settings);
    MusicPlaylist::instance()->setPlaylist({"music/a.xm", "music/b.xm"});
    MusicPlaylist::instance()->playNext();
    auto window = open();
    EXPECT_TRUE(window->isDraggable());
    click(*window, 310, 410);
    EXPECT_EQ(frame.count("enterFullScreen 800x600"), 0);
    window->update(16);
    EXPECT_EQ(frame.count("enterFullScreen 800x600"), 1);
    EXPECT_TRUE(frame.fullScreen);
    EXPECT_FALSE(window->isDraggable());
    EXPECT_EQ(MusicPlaylist::instance()->current(), 1);
    window->update(16);
    EXPECT_EQ(frame.count("enterFullScreen 800x600"), 1);

    click(*window, 310, 410);
    window->update(16);
    EXPECT_EQ(frame.count("leaveFullScreen"), 1);
    EXPECT_FALSE(frame.fullScreen);
    EXPECT_TRUE(window->isDraggable());
    EXPECT_EQ(MusicPlaylist::instance()->current(), 0);
}

TEST_F(OptionsWindowTest, ARefusedFullScreenStaysWindowedAndIsTriedAgain) {
    frame.fullScreenFails = true;
    auto window = open();
    click(*window, 310, 410);
    window->update(16);
    window->update(16);
    EXPECT_EQ(frame.count("enterFullScreen 800x600"), 2);
    EXPECT_FALSE(frame.fullScreen);
    EXPECT_TRUE(window->isDraggable());
    // Clearing the box ends the attempts.
    click(*window, 310, 410);
    window->update(16);
    EXPECT_EQ(frame.count("enterFullScreen 800x600"), 2);
    EXPECT_EQ(frame.count("leaveFullScreen"), 0);
}

} // namespace
