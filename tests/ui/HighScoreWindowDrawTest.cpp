// The high-score screen drawn with the game's own pictures and font.
#include "gfx/Font.h"
#include "support/GeneratedPack.h"
#include "support/GlScreen.h"
#include "support/RecordingFrame.h"
#include "ui/HighScoreWindow.h"
#include "ui/HighScores.h"
#include "ui/UiResources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

class HighScoreWindowDraw : public GlScreen {
protected:
    void SetUp() override {
        GlScreen::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        ASSERT_TRUE(pack.isOpen()) << "no generated pack";
        resources.load();
    }

    // Near-white pixels in a logical rectangle: the outlined white texts.
    static int whitePixels(int left, int top, int width, int height) {
        glFinish();
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width * height * 3));
        glReadPixels(left, 600 - top - height, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        int count = 0;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
            if (rgb[i] > 220 && rgb[i + 1] > 220 && rgb[i + 2] > 220)
                ++count;
        return count;
    }

    GeneratedPack pack;
    RecordingFrame frame;
    UiResources resources;
    HighScores scores{2};
};

// After a game the table is the first screen drawn over the menu's 2D set-up,
// which leaves depth testing on; the rows and the button are drawn at the
// background's depth and must still show.
TEST_F(HighScoreWindowDraw, TheRowsShowWhateverDepthStateTheScreenBeforeLeft) {
    scores.add(0, 48250, "WWWWWWWWWW");
    HighScoreWindow window(800, 600, &scores);
    const HighScoreWindow::Row& first = window.row(0);
    const int left = static_cast<int>(first.x - window.numberSpace());
    const int top = static_cast<int>(first.y) - 30;
    int lit[2] = {0, 0};
    for (int depthTest : {0, 1}) {
        setUpScreen();
        if (depthTest)
            glEnable(GL_DEPTH_TEST);
        window.draw();
        lit[depthTest] = whitePixels(left, top, 400, 60);
    }
    EXPECT_GT(lit[0], 100);
    EXPECT_GT(lit[1], lit[0] / 2);
}

} // namespace

namespace {

// The columns of the game's own layout keep a full name (15 letters) clear of
// its score, and a seven-digit score inside the panel (its right edge at 660).
TEST_F(HighScoreWindowDraw, ALongNameAndASevenDigitScoreFitTheirColumns) {
    HighScoreWindow window(800, 600, &scores);
    const Font* font = resources.getFont();
    ASSERT_NE(font, nullptr);
    const float size = window.fontSize();
    const float x = window.row(0).x;
    EXPECT_LT(x - window.numberSpace() + font->textWidth("7.", size), x);
    EXPECT_LT(x + font->textWidth("Bartholomew Kay", size), x + window.scoreSpace());
    EXPECT_LT(x + window.scoreSpace() + font->textWidth("9876543", size), 660.0f);
    // Every row of the layout lies on the panel.
    for (int i = 0; i < HighScoreWindow::rowCount; ++i) {
        EXPECT_GT(window.row(i).y, 140.0f) << i;
        EXPECT_LT(window.row(i).y, 510.0f) << i;
    }
}

} // namespace
