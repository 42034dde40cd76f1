#include "ui/HighScoreWindow.h"
#include "support/MenuFolder.h"
#include "support/RecordingFrame.h"
#include "ui/Button.h"
#include "ui/HighScores.h"
#include "ui/UiResources.h"

#include <gtest/gtest.h>

namespace {

class HighScoreWindowTest : public ::testing::Test {
protected:
    void SetUp() override { resources.load(); }

    MenuFolder folder;
    RecordingFrame frame;
    UiResources resources;
    HighScores scores{2};
};

TEST_F(HighScoreWindowTest, ReadsItsRowsAndSpacingsFromItsLayout) {
    folder.write(HighScoreWindow::layoutName,
                 "m_close_btn.x 350\nm_close_btn.y 520\nm_score_space 310.5\nm_font_size 24\n"
                 "string_pos_01.x 200\nstring_pos_01.y 150\nstring_pos_07.x 210\n"
                 "string_pos_07.y 450\n");
    HighScoreWindow window(800, 600, &scores);
    EXPECT_FLOAT_EQ(window.scoreSpace(), 310.5f);
    EXPECT_FLOAT_EQ(window.numberSpace(), 30.0f);
    EXPECT_FLOAT_EQ(window.fontSize(), 24.0f);
    EXPECT_FLOAT_EQ(window.row(0).x, 200.0f);
    EXPECT_FLOAT_EQ(window.row(0).y, 150.0f);
    EXPECT_FLOAT_EQ(window.row(6).y, 450.0f);
    // A row the layout does not name sits at the corner.
    EXPECT_FLOAT_EQ(window.row(3).x, 0.0f);
    EXPECT_EQ(window.table(), &scores);
    ASSERT_EQ(window.widgets().size(), 1u);
    EXPECT_FLOAT_EQ(window.closeButton()->y(), 520.0f);
}

TEST_F(HighScoreWindowTest, WithoutALayoutTheSpacingsKeepTheirDefaults) {
    HighScoreWindow window(800, 600, &scores);
    EXPECT_FLOAT_EQ(window.scoreSpace(), 400.0f);
    EXPECT_FLOAT_EQ(window.numberSpace(), 30.0f);
    EXPECT_FLOAT_EQ(window.fontSize(), 10.0f);
}

TEST_F(HighScoreWindowTest, EscapeAndTheBackButtonClose) {
    folder.write(HighScoreWindow::layoutName, "m_close_btn.x 350\nm_close_btn.y 520\n");
    HighScoreWindow window(800, 600, &scores);
    frame.pushWindow(&window);
    window.onKeyDown(27);
    EXPECT_EQ(frame.count("closeLater"), 1);
    window.onMouseMove(360, 530, 0);
    window.onLButtonDown(360, 530, 0);
    EXPECT_EQ(frame.count("closeLater"), 2);
    window.onKeyDown(13);
    EXPECT_EQ(frame.count("closeLater"), 2);
}

TEST_F(HighScoreWindowTest, DraggableOnlyInAWindow) {
    frame.fullScreen = true;
    HighScoreWindow full(800, 600, &scores);
    EXPECT_FALSE(full.isDraggable());
    frame.fullScreen = false;
    HighScoreWindow windowed(800, 600, &scores);
    EXPECT_TRUE(windowed.isDraggable());
}

} // namespace
