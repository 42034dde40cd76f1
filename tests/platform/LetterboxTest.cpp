#include "platform/Letterbox.h"

#include <gtest/gtest.h>

using platform::Letterbox;
using platform::Point;

TEST(Letterbox, WideDesktopGetsBarsLeftAndRight) {
    Letterbox box(1920, 1080, 800, 600);
    EXPECT_EQ(box.area().top, 0);
    EXPECT_EQ(box.area().height(), 1080);
    EXPECT_EQ(box.area().width(), 1440);
    EXPECT_EQ(box.area().left, 240);
    Point corner = box.toClient({240, 0});
    EXPECT_EQ(corner.x, 0);
    EXPECT_EQ(corner.y, 0);
    Point last = box.toClient({1679, 1079});
    EXPECT_EQ(last.x, 799);
    EXPECT_EQ(last.y, 599);
    // On the left bar: negative, also for the pixel right next to the picture.
    EXPECT_EQ(box.toClient({239, 500}).x, -1);
    EXPECT_LT(box.toClient({0, 500}).x, 0);
    EXPECT_GE(box.toClient({1919, 500}).x, 800);
}

TEST(Letterbox, TallDesktopGetsBarsTopAndBottom) {
    Letterbox box(1280, 1024, 800, 600);
    EXPECT_EQ(box.area().left, 0);
    EXPECT_EQ(box.area().width(), 1280);
    EXPECT_EQ(box.area().height(), 960);
    EXPECT_EQ(box.area().top, 32);
    EXPECT_EQ(box.toClient({640, 512}).x, 400);
    EXPECT_EQ(box.toClient({640, 512}).y, 300);
    EXPECT_LT(box.toClient({640, 10}).y, 0);
}

TEST(Letterbox, SameSizeIsIdentityAndEmptySizesAreHarmless) {
    Letterbox same(800, 600, 800, 600);
    EXPECT_EQ(same.toClient({123, 456}).x, 123);
    EXPECT_EQ(same.toClient({123, 456}).y, 456);
    Letterbox empty(0, 0, 800, 600);
    EXPECT_EQ(empty.toClient({5, 6}).x, 5);
    EXPECT_EQ(empty.area().width(), 0);
}
