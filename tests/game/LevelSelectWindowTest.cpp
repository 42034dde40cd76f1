#include "game/LevelSelectWindow.h"
#include "board/Field.h"
#include "persist/Settings.h"
#include "support/MenuFolder.h"
#include "support/RecordingFrame.h"
#include "ui/Button.h"
#include "ui/TrackBar.h"
#include "ui/UiResources.h"

#include <gtest/gtest.h>

namespace {

class LevelSelectWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write(LevelSelectWindow::layoutName,
                     "m_close_btn.x 100\nm_close_btn.y 500\nm_ok_btn.x 600\nm_ok_btn.y 500\n"
                     "m_prev_btn.x 100\nm_prev_btn.y 300\nm_next_btn.x 600\nm_next_btn.y 300\n"
                     "m_level_track_bar.x 150\nm_level_track_bar.y 450\n");
        resources.load();
        window = std::make_unique<LevelSelectWindow>(800.0f, 600.0f);
        frame.pushWindow(window.get());
    }
    void press(Button* button) {
        const int x = static_cast<int>(button->x()) + 5;
        const int y = static_cast<int>(button->y()) + 5;
        window->onMouseMove(x, y, 0);
        window->onLButtonDown(x, y, 0);
        window->onLButtonUp(x, y, 0);
    }

    MenuFolder folder;
    RecordingFrame frame;
    UiResources resources;
    std::unique_ptr<LevelSelectWindow> window;
};

TEST_F(LevelSelectWindowTest, StartsAtLevelOneOverAHundredLevels) {
    EXPECT_EQ(window->selectedLevelIndex(), 0);
    EXPECT_FLOAT_EQ(window->levelBar()->minimum(), 0.0f);
    EXPECT_FLOAT_EQ(window->levelBar()->maximum(), 99.0f);
    EXPECT_FLOAT_EQ(window->levelBar()->length(), 495.0f);
    EXPECT_FLOAT_EQ(window->levelBar()->x(), 150.0f);
    EXPECT_EQ(window->preview()->level(), 1);
    EXPECT_FALSE(window->isLocked());
}

TEST_F(LevelSelectWindowTest, LevelsAboveTheHighestReachedAreLockedAndDoNotStart) {
    ASSERT_EQ(folder.settings->level, 3);
    window->levelBar()->setValue(3);
    EXPECT_TRUE(window->isLocked());
    press(window->okButton());
    EXPECT_EQ(frame.count("closeLater"), 0);
    for (int index : {2, 1, 0}) {
        window->levelBar()->setValue(static_cast<float>(index));
        EXPECT_FALSE(window->isLocked()) << index;
        press(window->okButton());
        EXPECT_TRUE(window->isStart());
    }
    EXPECT_EQ(frame.count("closeLater"), 3);
}

TEST_F(LevelSelectWindowTest, BrowsingALevelDoesNotUnlockIt) {
    window->levelBar()->setValue(49);
    EXPECT_EQ(window->preview()->level(), 50);
    EXPECT_EQ(folder.settings->level, 3);
    EXPECT_TRUE(window->isLocked());
}

TEST_F(LevelSelectWindowTest, TheButtonsStopAtTheFirstAndTheLastLevel) {
    press(window->prevButton());
    EXPECT_EQ(window->selectedLevelIndex(), 0);
    press(window->nextButton());
    press(window->nextButton());
    EXPECT_EQ(window->selectedLevelIndex(), 2);
    window->levelBar()->setValue(98);
    press(window->nextButton());
    press(window->nextButton());
    EXPECT_EQ(window->selectedLevelIndex(), 99);
    EXPECT_EQ(window->preview()->level(), 100);
}

TEST_F(LevelSelectWindowTest, EscapeAndCloseLeaveWithoutStarting) {
    press(window->okButton());
    ASSERT_TRUE(window->isStart());
    window->onKeyDown(27);
    EXPECT_FALSE(window->isStart());
    EXPECT_EQ(frame.count("closeLater"), 2);
    press(window->closeButton());
    EXPECT_FALSE(window->isStart());
    EXPECT_EQ(frame.count("closeLater"), 3);
}

} // namespace
