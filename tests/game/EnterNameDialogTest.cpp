#include "GameTestSupport.h"

#include "game/EnterNameDialog.h"
#include "ui/Button.h"
#include "ui/EditBox.h"

TEST(EnterNameDialog, TypingGoesToTheBoxAtOnceUpToFifteenCharacters) {
    GameFrame frame;
    EnterNameDialog dialog;
    ASSERT_TRUE(dialog.nameBox()->isFocused());
    for (char c : std::string("Bartholomew the Great")) {
        dialog.onChar(static_cast<unsigned short>(c), 1);
    }
    EXPECT_EQ(dialog.name(), "Bartholomew the");
    EXPECT_EQ(dialog.name().size(), 15u);
}

TEST(EnterNameDialog, OkClosesWithResultZero) {
    GameFrame frame;
    EnterNameDialog dialog;
    dialog.setResult(5);
    dialog.onCommand(dialog.okButton());
    EXPECT_EQ(frame.closes, 1);
    EXPECT_EQ(dialog.getResult(), 0);
}

TEST(EnterNameDialog, EscapeAndEnterCloseToo) {
    GameFrame frame;
    EnterNameDialog dialog;
    dialog.onKeyDown(27);
    EXPECT_EQ(dialog.getResult(), 1);
    dialog.onKeyDown(13);
    EXPECT_EQ(dialog.getResult(), 0);
    EXPECT_EQ(frame.closes, 2);
}
