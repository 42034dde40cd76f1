#include "ToolkitSupport.h"

#include "platform/Key.h"
#include "ui/EditBox.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class EditBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.setPosition(100, 200, 0);
        box.setFocused(true);
    }
    void type(const std::string& s) {
        for (char c : s) {
            box.onChar(static_cast<unsigned char>(c), 1);
        }
    }
    void paste(const std::string& s) {
        clipboard.setText(s);
        keys.held = {Key::Control};
        box.onKeyDown('V');
        keys.held.clear();
    }

    HeldKeys keys;
    FakeClipboard clipboard;
    CommandScreen screen;
    EditBox box{&screen, nullptr, 20, nullptr};
};

} // namespace

TEST_F(EditBoxTest, ClickInsideFocusesAndClickElsewhereBlurs) {
    box.setFocused(false);
    // 130 by 60 until the first draw gives it its picture's size.
    EXPECT_TRUE(box.onLButtonDown(230, 260, 1));
    EXPECT_TRUE(box.isFocused());
    EXPECT_FALSE(box.onLButtonDown(231, 260, 1));
    EXPECT_FALSE(box.isFocused());
    EXPECT_TRUE(box.onLButtonUp(100, 200, 0));
    EXPECT_TRUE(box.isFocused());
    EXPECT_FALSE(box.onLButtonUp(99, 200, 0));
    EXPECT_TRUE(box.isFocused());
    EXPECT_TRUE(box.onMouseMove(150, 220, 0));
    EXPECT_FALSE(box.onMouseMove(150, 261, 0));
    EXPECT_TRUE(screen.commands.empty());
}

TEST_F(EditBoxTest, TypesOnlyPrintableCharactersAndOnlyWhenFocused) {
    type("Ab ~");
    box.onChar(127, 1);
    box.onChar(31, 1);
    box.onChar(9, 1);
    box.onChar(0x263A, 1);
    EXPECT_EQ(box.getText(), "Ab ~");
    EXPECT_EQ(box.caret(), 4);
    box.setFocused(false);
    type("x");
    box.onKeyDown(code(Key::Back));
    EXPECT_EQ(box.getText(), "Ab ~");
}

TEST_F(EditBoxTest, TypingStopsAtMaxLength) {
    type("0123456789abc");
    EXPECT_EQ(box.getText(), "0123456789");
    EXPECT_EQ(box.caret(), 10);
    // A full text is not pushed out by typing in its middle.
    box.onKeyDown(code(Key::Home));
    type("Z");
    EXPECT_EQ(box.getText(), "0123456789");
    EXPECT_EQ(box.caret(), 0);
}

TEST_F(EditBoxTest, EditingKeysStopAtBothEnds) {
    box.onKeyDown(code(Key::Back));
    box.onKeyDown(code(Key::Left));
    box.onKeyDown(code(Key::Delete));
    EXPECT_EQ(box.caret(), 0);
    EXPECT_FALSE(box.isCaretVisible()) << "nothing moved";
    type("abcd");
    box.onKeyDown(code(Key::Delete));
    box.onKeyDown(code(Key::Right));
    EXPECT_EQ(box.getText(), "abcd");
    EXPECT_EQ(box.caret(), 4);
    box.onKeyDown(code(Key::Left));
    EXPECT_TRUE(box.isCaretVisible());
    box.onKeyDown(code(Key::Back));
    EXPECT_EQ(box.getText(), "abd");
    EXPECT_EQ(box.caret(), 2);
    box.onKeyDown(code(Key::Home));
    EXPECT_EQ(box.caret(), 0);
    box.onKeyDown(code(Key::Delete));
    EXPECT_EQ(box.getText(), "bd");
    box.onKeyDown(code(Key::End));
    EXPECT_EQ(box.caret(), 2);
    box.onKeyDown(code(Key::Right));
    EXPECT_EQ(box.caret(), 2);
    type("e");
    EXPECT_EQ(box.getText(), "bde");
}

TEST_F(EditBoxTest, PasteFillsUpToMaxLengthAndLeavesTheCaretAtTheEnd) {
    type("12345678");
    paste("abcdef");
    EXPECT_EQ(box.getText(), "12345678ab");
    EXPECT_EQ(box.caret(), 10);
}

TEST_F(EditBoxTest, PasteInTheMiddleGoesInAtTheCaret) {
    type("1234");
    box.onKeyDown(code(Key::Left));
    box.onKeyDown(code(Key::Left));
    paste("ab");
    EXPECT_EQ(box.getText(), "12ab34");
    EXPECT_EQ(box.caret(), 4);
}

TEST_F(EditBoxTest, CtrlVAndShiftInsertPasteButTheKeysAloneDoNot) {
    clipboard.setText("x");
    box.onKeyDown('V');
    box.onKeyDown(code(Key::Insert));
    EXPECT_EQ(box.getText(), "");
    keys.held = {Key::Shift};
    box.onKeyDown('V');
    EXPECT_EQ(box.getText(), "");
    box.onKeyDown(code(Key::Insert));
    EXPECT_EQ(box.getText(), "x");
    keys.held = {Key::Control};
    box.onKeyDown(code(Key::Insert));
    EXPECT_EQ(box.getText(), "x");
    box.onKeyDown('V');
    EXPECT_EQ(box.getText(), "xx");
    box.setFocused(false);
    box.onKeyDown('V');
    EXPECT_EQ(box.getText(), "xx");
}

TEST_F(EditBoxTest, PastedControlAndHighBytesBecomeSpaces) {
    box.setMaxLength(15);
    paste("a\r\nb\tc\x7f"
          "d\x80\xff"
          "e");
    EXPECT_EQ(box.getText(), "a  b c d  e");
}

TEST_F(EditBoxTest, HugePasteKeepsTheLimit) {
    box.setMaxLength(15);
    std::string big(2000, 'q');
    for (std::size_t i = 0; i < big.size(); i += 7) {
        big[i] = static_cast<char>(0x80 + i % 128);
    }
    paste(big);
    EXPECT_EQ(box.getText().size(), 15u);
    EXPECT_EQ(box.caret(), 15);
    for (char c : box.getText()) {
        EXPECT_TRUE(c == 'q' || c == ' ');
    }
    paste(big);
    EXPECT_EQ(box.getText().size(), 15u);
}

TEST_F(EditBoxTest, EmptyOrUnreadableClipboardPastesNothing) {
    type("ab");
    keys.held = {Key::Control};
    box.onKeyDown('V'); // the clipboard holds no text
    EXPECT_EQ(box.getText(), "ab");
    EXPECT_EQ(box.caret(), 2);
}

TEST_F(EditBoxTest, MaxLengthStaysBelowTheBufferAndCutsLongerText) {
    box.setMaxLength(5000);
    EXPECT_EQ(box.maxLength(), 1023);
    paste(std::string(3000, 'w'));
    EXPECT_EQ(box.getText().size(), 1023u);
    box.setMaxLength(4);
    EXPECT_EQ(box.getText(), "wwww");
    EXPECT_EQ(box.caret(), 4);
    box.setMaxLength(-3);
    EXPECT_EQ(box.getText(), "");
}

TEST_F(EditBoxTest, SetTextKeepsTheLimitAndPutsTheCaretAtTheEnd) {
    box.setText("Player\tOne and more");
    EXPECT_EQ(box.getText(), "Player One");
    EXPECT_EQ(box.caret(), 10);
}

TEST_F(EditBoxTest, CaretBlinksEveryHalfSecond) {
    box.update(499);
    EXPECT_FALSE(box.isCaretVisible());
    box.update(1);
    EXPECT_TRUE(box.isCaretVisible());
    box.update(300);
    EXPECT_TRUE(box.isCaretVisible());
    box.update(200);
    EXPECT_FALSE(box.isCaretVisible());
}

TEST_F(EditBoxTest, HiddenEditBoxIgnoresKeysAndThePointer) {
    box.setVisible(false);
    type("a");
    paste("b");
    EXPECT_EQ(box.getText(), "");
    EXPECT_FALSE(box.onMouseMove(150, 220, 0));
    EXPECT_FALSE(box.onLButtonDown(1000, 1000, 1));
    EXPECT_TRUE(box.isFocused());
}
