#include "ui/Cursor.h"
#include "gfx/Sprite.h"

#include <gtest/gtest.h>

class CursorTest : public ::testing::Test {
protected:
    void TearDown() override { Cursor::destroy(); }
};

TEST_F(CursorTest, CopiesBothSpritesBlendedAndFlipped) {
    Sprite arrow;
    arrow.setAlphaTest(true);
    arrow.setFrameRate(10);
    Sprite busy;
    Cursor::create(&arrow, &busy);
    Cursor* cursor = Cursor::instance();
    ASSERT_NE(cursor, nullptr);
    ASSERT_NE(cursor->sprite(0), nullptr);
    EXPECT_NE(cursor->sprite(0), &arrow);
    EXPECT_EQ(cursor->current(), cursor->sprite(0));
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(cursor->sprite(i)->blend());
        EXPECT_FALSE(cursor->sprite(i)->alphaTest());
        EXPECT_TRUE(cursor->sprite(i)->flipV());
        EXPECT_FALSE(cursor->sprite(i)->ownsTexture());
    }
    EXPECT_FALSE(arrow.blend()); // the originals are untouched
    EXPECT_FLOAT_EQ(cursor->sprite(0)->frameTime(), 100);
}

TEST_F(CursorTest, KindSelectsWhichSpriteAnimates) {
    Sprite arrow;
    Sprite busy;
    Cursor::create(&arrow, &busy);
    Cursor* cursor = Cursor::instance();
    cursor->setKind(1);
    EXPECT_EQ(cursor->current(), cursor->sprite(1));
    cursor->update(50);
    EXPECT_FLOAT_EQ(cursor->sprite(1)->time(), 50);
    EXPECT_FLOAT_EQ(cursor->sprite(0)->time(), 0);
    cursor->setKind(5);
    EXPECT_EQ(cursor->current(), cursor->sprite(1));
    cursor->setKind(0);
    EXPECT_EQ(cursor->current(), cursor->sprite(0));
}

TEST_F(CursorTest, MissingSpritesAreHarmless) {
    Cursor::create(nullptr, nullptr);
    Cursor::instance()->setKind(1);
    Cursor::instance()->update(10);
    Cursor::instance()->draw();
    EXPECT_EQ(Cursor::instance()->current(), nullptr);
    Cursor::destroy();
    EXPECT_EQ(Cursor::instance(), nullptr);
}
