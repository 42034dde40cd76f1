#include "ToolkitSupport.h"

#include "ui/TrackBar.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A 10 by 24 thumb on a track of 204 pixels for the values 0 to 64.
class TrackBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        thumb = bandTexture(dir, "thumb.tga", 10, 24, {{9, 9, 9}});
        bar = std::make_unique<TrackBar>(&screen, thumb.get());
        bar->setPosition(100, 300, 0);
        bar->setRange(0, 64);
        bar->setLength(204);
    }
    // A drag that puts the thumb's centre under x.
    void dragTo(int x) { bar->onMouseMove(x, 310, 1); }

    TempDir dir;
    std::unique_ptr<Texture> thumb;
    CommandScreen screen;
    std::unique_ptr<TrackBar> bar;
};

} // namespace

TEST_F(TrackBarTest, ThumbSitsWhereTheValueMapsAndADragMapsBackExactly) {
    bar->setValue(32);
    EXPECT_EQ(bar->thumbX(), 100 + 102);
    // Grab the thumb at its centre and move it where it already is.
    ASSERT_TRUE(bar->onLButtonDown(207, 310, 1));
    dragTo(207);
    EXPECT_EQ(bar->getValue(), 32);
    for (int value : {0, 16, 48, 64}) {
        dragTo(100 + value * 204 / 64 + 5);
        EXPECT_EQ(bar->getValue(), value);
        EXPECT_EQ(bar->thumbX(), 100 + value * 204.0f / 64);
    }
}

TEST_F(TrackBarTest, DragPastEitherEndStopsThereAndTellsTheOwnerOnceOnRelease) {
    bar->setValue(32);
    ASSERT_TRUE(bar->onLButtonDown(202, 300, 1)); // the thumb's top-left corner
    EXPECT_TRUE(bar->isDragging());
    dragTo(800);
    EXPECT_EQ(bar->getValue(), 64);
    dragTo(-300);
    EXPECT_EQ(bar->getValue(), 0);
    EXPECT_TRUE(screen.commands.empty());
    EXPECT_FALSE(bar->onLButtonUp(-300, 310, 0));
    EXPECT_FALSE(bar->isDragging());
    ASSERT_EQ(screen.commands.size(), 1u);
    EXPECT_EQ(screen.commands[0], bar.get());
    // Once released the thumb no longer follows.
    dragTo(300);
    EXPECT_EQ(bar->getValue(), 0);
    bar->onLButtonUp(300, 310, 0);
    EXPECT_EQ(screen.commands.size(), 1u);
}

TEST_F(TrackBarTest, OwnerIsToldEvenWhenTheValueDidNotChange) {
    bar->setValue(10);
    const float x = bar->thumbX();
    ASSERT_TRUE(bar->onLButtonDown(static_cast<int>(x) + 1, 301, 1));
    bar->onLButtonUp(static_cast<int>(x) + 1, 301, 0);
    EXPECT_EQ(bar->getValue(), 10);
    EXPECT_EQ(screen.commands.size(), 1u);
}

TEST_F(TrackBarTest, OnlyTheThumbCanBeGrabbed) {
    bar->setValue(32); // thumb from 202 to 212, 300 to 324
    EXPECT_FALSE(bar->onLButtonDown(150, 310, 1));
    EXPECT_FALSE(bar->onLButtonDown(213, 310, 1));
    EXPECT_FALSE(bar->onLButtonDown(205, 325, 1));
    EXPECT_FALSE(bar->onMouseMove(150, 310, 1));
    EXPECT_EQ(bar->getValue(), 32);
    bar->onLButtonUp(150, 310, 0);
    EXPECT_TRUE(screen.commands.empty());
    EXPECT_TRUE(bar->onLButtonDown(212, 324, 1));
}

TEST_F(TrackBarTest, EmptyRangeOrTrackGivesFiniteValues) {
    bar->setRange(3, 3);
    bar->setValue(3);
    EXPECT_EQ(bar->thumbX(), 100);
    ASSERT_TRUE(bar->onLButtonDown(101, 301, 1));
    bar->setRange(0, 64);
    bar->setLength(0);
    dragTo(400);
    EXPECT_TRUE(std::isfinite(bar->getValue()));
    EXPECT_GE(bar->getValue(), 0);
    EXPECT_LE(bar->getValue(), 64);
}

TEST_F(TrackBarTest, HiddenTrackBarIgnoresThePointer) {
    bar->setValue(32);
    bar->setVisible(false);
    EXPECT_FALSE(bar->onLButtonDown(207, 310, 1));
    EXPECT_FALSE(bar->isDragging());
    dragTo(300);
    bar->onLButtonUp(300, 310, 0);
    EXPECT_EQ(bar->getValue(), 32);
    EXPECT_TRUE(screen.commands.empty());
}
