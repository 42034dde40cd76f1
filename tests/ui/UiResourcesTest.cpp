#include "ToolkitSupport.h"

#include "gfx/Sprite.h"
#include "persist/ResourceManager.h"
#include "ui/UiResources.h"

#include "gfx/FontPicture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

// A game folder of a few pictures on the disk, read through a pack-less "main".
class UiResourcesTest : public ::testing::Test {
protected:
    void SetUp() override {
        before = fs::current_path();
        fs::current_path(dir.path());
        ResourceManager::create("main");
    }
    void TearDown() override {
        ResourceManager::destroy("main");
        fs::current_path(before);
    }
    void picture(const std::string& name, int width, int height) {
        dir.write(name, bandPicture(width, height, {{50, 60, 70}}));
    }
    void sprite(const std::string& name, const std::string& picture, int frames, int groups) {
        dir.write(name, "file_name " + picture + "\nframes " + std::to_string(frames) +
                            "\ngroups " + std::to_string(groups) + "\n");
    }

    TempDir dir;
    fs::path before;
};

} // namespace

TEST_F(UiResourcesTest, TableNamesThePicturesAndMissingKeysGiveEmptyTextures) {
    picture("mui/back.tga", 64, 32);
    picture("mui/other_back.tga", 16, 8);
    picture("mui/locked.tga", 8, 8);
    dir.write("mui/resourses.txt", "m_back_btn mui/back.tga\nm_ok_btn mui/other_back.tga\n");
    UiResources ui;
    ui.load();
    EXPECT_EQ(ui.getTexture("m_back_btn")->width(), 64);
    EXPECT_EQ(ui.getTexture("m_ok_btn")->width(), 16);
    EXPECT_EQ(ui.getLockTexture()->width(), 8);
    // Not in the table: the picture "0", which does not exist.
    Texture* cancel = ui.getTexture("m_cancel_btn");
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->fileName(), "0");
    EXPECT_EQ(cancel->width(), 0);
    // Not a key of the table at all.
    Texture* unknown = ui.getTexture("m_no_such_btn");
    ASSERT_NE(unknown, nullptr);
    EXPECT_EQ(unknown->width(), 0);
    EXPECT_NE(unknown, cancel);
}

TEST_F(UiResourcesTest, RenamingAPictureInTheTableChangesEveryUserOfTheKey) {
    picture("mui/a.tga", 64, 32);
    picture("mui/b.tga", 32, 16);
    dir.write("mui/resourses.txt", "m_back_btn mui/a.tga\n");
    UiResources first;
    first.load();
    EXPECT_EQ(first.getTexture("m_back_btn")->width(), 64);
    dir.write("mui/resourses.txt", "m_back_btn mui/b.tga\n");
    first.load();
    EXPECT_EQ(first.getTexture("m_back_btn")->width(), 32);
}

TEST_F(UiResourcesTest, EmptyFolderLoadsEmptyPicturesWithoutFailing) {
    UiResources ui;
    ui.load();
    for (int i = 0; i < UiResources::tableKeyCount(); ++i) {
        ASSERT_NE(ui.getTexture(UiResources::tableKeys()[i]), nullptr);
        EXPECT_EQ(ui.getTexture(UiResources::tableKeys()[i])->width(), 0);
    }
    EXPECT_EQ(ui.getFont()->glyphsFound(), 0);
    ASSERT_NE(ui.getDragonSprite(), nullptr);
    ASSERT_NE(ui.getDragonSprite()->texture(), nullptr);
    EXPECT_EQ(ui.getDragonSprite()->texture()->width(), 0);
    EXPECT_EQ(ui.getLockTexture()->width(), 0);
}

TEST_F(UiResourcesTest, FontAndSpritesComeFromTheirFixedFiles) {
    const FontPicture font({47, 47}, 64, true);
    dir.write("mui/font.tga", font.file);
    picture("mui/dragon.tga", 64, 32);
    picture("mui/cursor.tga", 32, 32);
    sprite("mui/dragon.spr", "mui/dragon.tga", 4, 2);
    sprite("mui/cursor.spr", "mui/cursor.tga", 2, 1);
    sprite("mui/cursor2.spr", "mui/cursor.tga", 1, 2);
    UiResources ui;
    ui.load();
    EXPECT_EQ(ui.getFont()->glyphsFound(), 94);
    ASSERT_NE(ui.getFont()->texture(), nullptr);
    EXPECT_EQ(ui.getFont()->texture()->fileName(), "mui/font.tga");
    EXPECT_EQ(ui.getDragonSprite()->frames(), 4);
    EXPECT_EQ(ui.getPointerSprite(0)->frames(), 2);
    EXPECT_EQ(ui.getPointerSprite(1)->groups(), 2);
    EXPECT_EQ(ui.getPointerSprite(2), nullptr);
    EXPECT_EQ(ui.getPointerSprite(-1), nullptr);
}

TEST_F(UiResourcesTest, InstanceIsTheLastMadeUntilItGoes) {
    EXPECT_EQ(UiResources::instance(), nullptr);
    {
        UiResources ui;
        EXPECT_EQ(UiResources::instance(), &ui);
        EXPECT_STREQ(ui.getSiteAddress(), UiResources::siteAddress);
        EXPECT_EQ(std::string(ui.getSiteAddress()).rfind("https://", 0), 0u);
    }
    EXPECT_EQ(UiResources::instance(), nullptr);
}
