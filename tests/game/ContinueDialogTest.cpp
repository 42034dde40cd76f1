#include "game/ContinueDialog.h"
#include "support/MenuFolder.h"
#include "support/RecordingFrame.h"
#include "ui/Button.h"
#include "ui/UiResources.h"

#include <gtest/gtest.h>

namespace {

using Choice = ContinueDialog::Choice;

class ContinueDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write(ContinueDialog::layoutName,
                     "m_continuesaved_btn.x 50\nm_continuesaved_btn.y 300\n"
                     "m_startnew_btn.x 200\nm_startnew_btn.y 300\n"
                     "m_cancel_btn.x 350\nm_cancel_btn.y 300\n");
        resources.load();
        dialog = std::make_unique<ContinueDialog>(7, 1234);
        dialog->setShadeSize(800, 600);
        dialog->setPosition(144, 44, 0, 1);
        dialog->setPanelSize(512, 512);
        frame.pushDialog(dialog.get());
    }
    // A press in client pixels; the dialog's buttons sit relative to it.
    void press(int x, int y) {
        dialog->onMouseMove(x, y, 0);
        dialog->onLButtonDown(x, y, 0);
    }

    MenuFolder folder;
    RecordingFrame frame;
    UiResources resources;
    std::unique_ptr<ContinueDialog> dialog;
};

TEST_F(ContinueDialogTest, ShowsWhatItWasGiven) {
    EXPECT_EQ(dialog->level(), 7);
    EXPECT_EQ(dialog->score(), 1234);
    EXPECT_EQ(dialog->choice(), Choice::Cancel);
    EXPECT_EQ(dialog->widgets().size(), 3u);
}

TEST_F(ContinueDialogTest, EachButtonGivesItsChoiceAndClosesAtTheNextFrame) {
    struct Case {
        int x;
        Choice choice;
        int result;
    } cases[] = {{144 + 60, Choice::Continue, 0},
                 {144 + 210, Choice::NewGame, 0},
                 {144 + 360, Choice::Cancel, 1}};
    for (const Case& c : cases) {
        dialog->setResult(-1);
        const int closes = frame.count("closeLater");
        press(c.x, 44 + 310);
        EXPECT_EQ(dialog->choice(), c.choice) << c.x;
        EXPECT_EQ(dialog->getResult(), c.result) << c.x;
        EXPECT_EQ(frame.count("closeLater"), closes + 1) << c.x;
    }
}

TEST_F(ContinueDialogTest, APressWhereTheButtonsWouldBeWithoutTheOffsetMissesThem) {
    press(60, 310);
    EXPECT_EQ(frame.count("closeLater"), 0);
    EXPECT_EQ(dialog->choice(), Choice::Cancel);
}

TEST_F(ContinueDialogTest, EscapeAndEnterCloseWithoutAChoice) {
    dialog->onKeyDown(27);
    EXPECT_EQ(dialog->getResult(), 1);
    EXPECT_EQ(dialog->choice(), Choice::Cancel);
    dialog->onKeyDown(13);
    EXPECT_EQ(dialog->getResult(), 0);
    EXPECT_EQ(dialog->choice(), Choice::Cancel);
    EXPECT_EQ(frame.count("closeLater"), 2);
}

} // namespace

#include "support/GlScreen.h"

namespace {

class ContinueDialogDraw : public GlScreen {
protected:
    void SetUp() override {
        GlScreen::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        resources = std::make_unique<UiResources>();
        resources->load();
    }
    void TearDown() override { resources.reset(); }

    MenuFolder folder;
    RecordingFrame frame;
    std::unique_ptr<UiResources> resources;
};

TEST_F(ContinueDialogDraw, ThePanelFadesInOverAShadedScreenWhateverItsDepthState) {
    ContinueDialog dialog(2, 10);
    dialog.setShadeSize(800, 600);
    dialog.setPosition(144, 44, 0, 1);
    dialog.setPanelSize(512, 512);
    glClearColor(1, 1, 1, 1);
    // The screen beneath may leave depth testing on.
    glEnable(GL_DEPTH_TEST);
    for (int frame = 0; frame < 20; ++frame) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        dialog.draw();
    }
    // The panel's picture in full; the white screen beside it at half shade.
    const Rgb panel = pixel(144 + 256, 44 + 100);
    EXPECT_NEAR(panel[0], 20, 3);
    EXPECT_NEAR(panel[1], 60, 3);
    EXPECT_NEAR(panel[2], 140, 3);
    const Rgb shaded = pixel(60, 300);
    EXPECT_NEAR(shaded[0], 128, 3);
    EXPECT_NEAR(shaded[2], 128, 3);
}

} // namespace
