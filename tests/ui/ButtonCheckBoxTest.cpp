#include "ToolkitSupport.h"

#include "audio/CSoundManager.h"
#include "audio/WaveTestFile.h"
#include "platform/MessageBox.h"
#include "support/AudioDriver.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"

#include <gtest/gtest.h>

namespace {

// A 40 by 20 button (four frames of 20 rows) and a 16 by 16 check box.
class ButtonCheckBox : public ::testing::Test {
protected:
    void SetUp() override {
        buttonPicture =
            bandTexture(dir, "button.tga", 40, 20, {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}});
        boxPicture =
            bandTexture(dir, "box.tga", 16, 16, {{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}});
    }

    TempDir dir;
    std::unique_ptr<Texture> buttonPicture;
    std::unique_ptr<Texture> boxPicture;
    CommandScreen screen;
};

} // namespace

TEST_F(ButtonCheckBox, HitTestKeepsBothEdgesAfterCuttingTowardZero) {
    Button button(&screen, buttonPicture.get());
    button.setPosition(10.7f, 5.9f, 0);
    // x from 10 to 50 (10.7 + 40 cut), y from 5 to 25 (5.9 + 20 cut).
    EXPECT_TRUE(button.onMouseMove(10, 5, 0));
    EXPECT_TRUE(button.onMouseMove(50, 25, 0));
    EXPECT_FALSE(button.onMouseMove(9, 10, 0));
    EXPECT_FALSE(button.onMouseMove(51, 10, 0));
    EXPECT_FALSE(button.onMouseMove(20, 4, 0));
    EXPECT_FALSE(button.onMouseMove(20, 26, 0));
}

TEST_F(ButtonCheckBox, ButtonFiresOnThePressAndReleasedOutsideStaysFiredOnce) {
    Button button(&screen, buttonPicture.get());
    button.setPosition(100, 100, 0);
    EXPECT_TRUE(button.onMouseMove(110, 110, 0));
    EXPECT_EQ(button.state(), 2);
    EXPECT_TRUE(button.onLButtonDown(110, 110, 1));
    EXPECT_EQ(button.state(), 3);
    ASSERT_EQ(screen.commands.size(), 1u);
    EXPECT_EQ(screen.commands[0], &button);
    // Released far away: the button was pressed, so it shows the hover frame.
    EXPECT_TRUE(button.onLButtonUp(500, 500, 0));
    EXPECT_EQ(button.state(), 2);
    EXPECT_FALSE(button.onMouseMove(500, 500, 0));
    EXPECT_EQ(button.state(), 1);
    EXPECT_EQ(screen.commands.size(), 1u);
    // A release without a press changes nothing.
    EXPECT_FALSE(button.onLButtonUp(110, 110, 0));
    EXPECT_EQ(button.state(), 1);
}

TEST_F(ButtonCheckBox, ButtonPressOutsideKeepsItsLookAndResetReturnsToNormal) {
    Button button(&screen, buttonPicture.get());
    button.setPosition(100, 100, 0);
    button.onMouseMove(110, 110, 0);
    EXPECT_FALSE(button.onLButtonDown(300, 110, 1));
    EXPECT_EQ(button.state(), 2);
    EXPECT_TRUE(screen.commands.empty());
    button.onLButtonDown(110, 110, 1);
    button.reset();
    EXPECT_EQ(button.state(), 1);
}

TEST_F(ButtonCheckBox, HiddenButtonIgnoresEveryOperation) {
    Button button(&screen, buttonPicture.get());
    button.setPosition(100, 100, 0);
    button.onMouseMove(110, 110, 0);
    button.onLButtonDown(110, 110, 1);
    button.setVisible(false);
    EXPECT_FALSE(button.onLButtonUp(110, 110, 0));
    EXPECT_EQ(button.state(), 3);
    EXPECT_FALSE(button.onMouseMove(300, 300, 0));
    EXPECT_EQ(button.state(), 3);
    EXPECT_FALSE(button.onLButtonDown(110, 110, 1));
    EXPECT_EQ(screen.commands.size(), 1u);
}

TEST_F(ButtonCheckBox, CheckBoxChangesOnlyWhenPressedUnderTheCursor) {
    CheckBox box(&screen, boxPicture.get());
    box.setPosition(50, 50, 0);
    // No move over it yet: a press on it does nothing, ticked or not.
    EXPECT_FALSE(box.onLButtonDown(55, 51, 1));
    EXPECT_EQ(box.state(), 1);
    box.setChecked(true);
    EXPECT_FALSE(box.onLButtonDown(55, 51, 1));
    EXPECT_EQ(box.state(), 3);
    EXPECT_TRUE(screen.commands.empty());

    EXPECT_TRUE(box.onMouseMove(55, 51, 0));
    EXPECT_EQ(box.state(), 4);
    EXPECT_TRUE(box.onLButtonDown(55, 51, 1));
    EXPECT_EQ(box.state(), 2);
    EXPECT_FALSE(box.isChecked());
    // The hover of the last move decides, wherever the press lands.
    EXPECT_TRUE(box.onLButtonDown(700, 500, 1));
    EXPECT_EQ(box.state(), 4);
    EXPECT_TRUE(box.isChecked());
    EXPECT_EQ(screen.commands.size(), 2u);
    EXPECT_FALSE(box.onLButtonUp(55, 51, 0));

    EXPECT_FALSE(box.onMouseMove(10, 10, 0));
    EXPECT_EQ(box.state(), 3);
    box.reset();
    EXPECT_EQ(box.state(), 3);
    box.setChecked(false);
    box.onMouseMove(55, 51, 0);
    EXPECT_EQ(box.state(), 2);
    box.onMouseMove(10, 10, 0);
    EXPECT_EQ(box.state(), 1);
}

namespace {

class ControlClick : public ButtonCheckBox {
protected:
    struct SilentBox : platform::MessageBox {
        void show(const std::string&, const std::string&, platform::MessageIcon) override {}
    };
    void SetUp() override {
        ButtonCheckBox::SetUp();
        platform::setMessageBox(&silent);
        sound = CSoundManager::instance();
        ASSERT_TRUE(sound->init());
        ASSERT_TRUE(
            sound->load(wavetest::writeFile("ui_click.wav",
                                            wavetest::pcm(1, 8000, 8, wavetest::Bytes(8000, 200))),
                        1001));
        sound->setEnabled(true);
    }
    void TearDown() override {
        CSoundManager::destroy();
        platform::setMessageBox(nullptr);
    }
    bool clicked() { return sound->sample(1001)->isPlaying(); }

    SilentBox silent;
    AudioDriver driver = AudioDriver::none();
    CSoundManager* sound = nullptr;
};

} // namespace

TEST_F(ControlClick, ButtonClicksOnAPressThatHitsIt) {
    Button button(&screen, buttonPicture.get());
    button.onLButtonDown(45, 5, 1);
    EXPECT_FALSE(clicked());
    button.onLButtonDown(40, 5, 1);
    EXPECT_TRUE(clicked());
}

TEST_F(ControlClick, CheckBoxClicksWhenItChanges) {
    CheckBox box(&screen, boxPicture.get());
    box.onLButtonDown(201, 41, 1);
    EXPECT_FALSE(clicked());
    box.onMouseMove(201, 41, 0);
    box.onLButtonDown(201, 41, 1);
    EXPECT_TRUE(clicked());
}
