// The shared menu pictures loaded from the game folder the build writes.
#include "gfx/Sprite.h"
#include "gfx/Texture.h"
#include "support/GeneratedPack.h"
#include "ui/UiResources.h"

#include <gtest/gtest.h>

namespace {

class UiResourcesData : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(pack.isOpen()) << "no generated pack";
        ui.load();
    }

    GeneratedPack pack;
    UiResources ui;
};

} // namespace

TEST_F(UiResourcesData, EveryTablePictureAndThePadlockLoad) {
    for (int i = 0; i < UiResources::tableKeyCount(); ++i) {
        const char* key = UiResources::tableKeys()[i];
        const Texture* texture = ui.getTexture(key);
        ASSERT_NE(texture, nullptr) << key;
        EXPECT_GT(texture->width(), 0) << key;
        EXPECT_GT(texture->height(), 0) << key;
    }
    EXPECT_GT(ui.getLockTexture()->width(), 0);
    // The controls cut their pictures into equal frames.
    for (const char* key : {"m_ok_btn", "m_back_btn", "m_check_box"}) {
        EXPECT_EQ(ui.getTexture(key)->height() % 4, 0) << key;
    }
    EXPECT_EQ(ui.getTexture("m_enter_name_editbox")->height() % 2, 0);
}

TEST_F(UiResourcesData, FontHasAllItsGlyphs) {
    EXPECT_EQ(ui.getFont()->glyphsFound(), 94);
    EXPECT_GT(ui.getFont()->textWidth("Quillmere", 20), 0);
}

TEST_F(UiResourcesData, DragonAndPointersHaveTheirLooks) {
    const Sprite* dragon = ui.getDragonSprite();
    ASSERT_NE(dragon, nullptr);
    EXPECT_EQ(dragon->groups(), 4);
    EXPECT_GT(dragon->frames(), 1);
    EXPECT_GT(dragon->frameWidth(), 0);
    for (int i : {0, 1}) {
        const Sprite* pointer = ui.getPointerSprite(i);
        ASSERT_NE(pointer, nullptr) << i;
        EXPECT_GE(pointer->groups(), 1) << i;
        EXPECT_GE(pointer->frames(), 1) << i;
        EXPECT_GT(pointer->frameWidth(), 0) << i;
        ASSERT_NE(pointer->texture(), nullptr) << i;
        EXPECT_GT(pointer->texture()->width(), 0) << i;
    }
}
