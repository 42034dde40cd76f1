// Word wrapping of the help pages' text blocks, measured with a synthetic font.
#include "ui/TextBlock.h"
#include "gfx/Font.h"
#include "gfx/FontPicture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr float size = 20;

class TextBlockTest : public ::testing::Test {
protected:
    void SetUp() override {
        FontPicture picture({47, 47});
        ASSERT_TRUE(font.loadGlyphs(picture.file.data(), picture.file.size(), nullptr));
    }
    float width(const std::string& text) const { return font.inkWidth(text.c_str(), size); }
    std::vector<std::string> wrap(const std::string& text, float blockWidth, int visible = 50) {
        TextBlock block(&font, blockWidth, size, visible, visible);
        block.setText(text);
        return block.lines();
    }

    Font font;
};

using Lines = std::vector<std::string>;

} // namespace

TEST_F(TextBlockTest, WordsMoveOnWhenTheLineWithThemWouldReachTheWidth) {
    // Exactly the width of "one two": reaching it is already too wide.
    EXPECT_EQ(wrap("one two threefold", width("one two")), (Lines{"one ", "two ", "threefold "}));
    // A hair wider and "two" still fits behind "one ".
    EXPECT_EQ(wrap("one two three", width("one two") + width(" ") + 0.01f),
              (Lines{"one two ", "three "}));
    EXPECT_EQ(wrap("short", 1000), (Lines{"short "}));
}

TEST_F(TextBlockTest, AWordWiderThanTheBlockGetsALineOfItsOwnUnsplit) {
    const std::string giant = "Supercalifragilistic";
    const float blockWidth = width("ab cd");
    ASSERT_GT(width(giant), blockWidth);
    EXPECT_EQ(wrap("ab " + giant + " cd", blockWidth), (Lines{"ab ", giant + " ", "cd "}));
    // First on the block: no blank line above it.
    EXPECT_EQ(wrap(giant + " cd", blockWidth), (Lines{giant + " ", "cd "}));
}

TEST_F(TextBlockTest, CarriageReturnsEndLinesAndLineFeedsAreDropped) {
    EXPECT_EQ(wrap("one\r\ntwo\r\n\r\nthree", 1000), (Lines{"one ", "two ", " ", "three "}));
    EXPECT_EQ(wrap("a\nb", 1000), (Lines{"ab "}));
    // An empty text still holds the one line its appended return ends.
    EXPECT_EQ(wrap("", 1000), (Lines{" "}));
}

TEST_F(TextBlockTest, OnlyTheVisibleLinesAreShown) {
    TextBlock block(&font, width("one"), size, 2, 2);
    block.setText("one two three four five");
    ASSERT_EQ(block.lines().size(), 5u);
    EXPECT_EQ(block.firstLine(), 0);
    EXPECT_EQ(block.shownLines(), (Lines{"one ", "two "}));

    // A shorter text shows fewer; none visible shows nothing.
    block.setText("one");
    EXPECT_EQ(block.shownLines(), (Lines{"one "}));
    TextBlock none(&font, 100, size, 0, 0);
    none.setText("one two");
    EXPECT_TRUE(none.shownLines().empty());
    TextBlock negative(&font, 100, size, -3, -3);
    negative.setText("one two");
    EXPECT_TRUE(negative.shownLines().empty());
}

TEST_F(TextBlockTest, BytesAreTakenByLengthAndWithoutAFontEverythingFitsOneLine) {
    TextBlock block(&font, width("one"), size, 5, 5);
    const char bytes[] = {'o', 'n', 'e', ' ', 't', 'w', 'o', ' ', 'x', 'x'};
    block.setText(bytes, 7);
    EXPECT_EQ(block.lines(), (Lines{"one ", "two "}));
    block.setText(nullptr, 12);
    EXPECT_EQ(block.lines(), (Lines{" "}));

    TextBlock fontless(nullptr, 1, size, 5, 5);
    fontless.setText("one two three");
    EXPECT_EQ(fontless.lines(), (Lines{"one two three "}));
}

TEST_F(TextBlockTest, NoLineOfSeveralWordsIsDrawnPastTheBlock) {
    const std::string text = "Three or more balls of one colour in a row explode and fill the "
                             "cells below them, on any of the three axes of the board.";
    std::vector<Font::Quad> quads;
    for (float blockWidth = 60; blockWidth <= 400; blockWidth += 7) {
        for (const std::string& line : wrap(text, blockWidth)) {
            if (line.find(' ') == line.size() - 1) {
                continue; // a single word may be wider
            }
            font.layout(line.c_str(), size, 0, 0, false, false, quads);
            ASSERT_FALSE(quads.empty());
            EXPECT_LT(quads.back().right, blockWidth) << '"' << line << "\" at " << blockWidth;
        }
    }
}
