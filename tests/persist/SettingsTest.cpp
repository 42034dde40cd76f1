#include "persist/Settings.h"
#include "persist/ResourceManager.h"
#include "pack/PackWriter.h"
#include "persist/PropertyFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        Settings::destroy();
        settings = Settings::create();
    }
    void TearDown() override { Settings::destroy(); }

    // Writes a settings file as the game would, scrambled with its key.
    std::string writeFile(const PropertyFile& file) {
        const std::string path = dir.file("dx.cfg");
        EXPECT_TRUE(file.saveFile(path, Settings::fileKey, Settings::fileKeyLength));
        return path;
    }

    TempDir dir;
    Settings* settings = nullptr;
};

TEST_F(SettingsTest, StartsWithTheDefaultsAndIsCreatedOnce) {
    EXPECT_EQ(Settings::instance(), settings);
    EXPECT_EQ(Settings::create(), settings);
    EXPECT_TRUE(settings->fullScreen);
    EXPECT_TRUE(settings->sound);
    EXPECT_FALSE(settings->hints);
    EXPECT_TRUE(settings->firstRun);
    EXPECT_TRUE(settings->showDragons);
    EXPECT_EQ(settings->musicVolume, 40);
    EXPECT_EQ(settings->level, 3);
    EXPECT_EQ(settings->quitKey, 27);
    EXPECT_EQ(settings->minimizeKey, 13);
    Settings::destroy();
    EXPECT_EQ(Settings::instance(), nullptr);
}

TEST_F(SettingsTest, NoFileKeepsTheDefaultsForAFirstRun) {
    EXPECT_FALSE(settings->load(dir.file("missing.cfg")));
    EXPECT_EQ(settings->width, 800);
    EXPECT_EQ(settings->height, 600);
    EXPECT_TRUE(settings->firstRun);
    EXPECT_TRUE(settings->fullScreen);
    EXPECT_TRUE(settings->sound);
}

TEST_F(SettingsTest, ReadsOnlyOneAsOnForSoundAndHintsButAnyNonZeroForTheRest) {
    PropertyFile file;
    file.setInt("m_sound", 2);
    file.setInt("m_hints", 1);
    file.setInt("m_show_dragons", 2);
    file.setInt("m_sound_invert", 5);
    file.setInt("m_is_full_screen_loaded", 0);
    file.setInt("m_window_width", 50);
    file.setInt("m_window_height", 700);
    file.setInt("m_level", 42);
    ASSERT_TRUE(settings->load(writeFile(file)));
    EXPECT_FALSE(settings->firstRun);
    EXPECT_FALSE(settings->sound);
    EXPECT_TRUE(settings->hints);
    EXPECT_TRUE(settings->showDragons);
    EXPECT_TRUE(settings->soundInvert);
    EXPECT_FALSE(settings->fullScreen);
    EXPECT_EQ(settings->width, 800);
    EXPECT_EQ(settings->height, 700);
    EXPECT_EQ(settings->level, 42);
    EXPECT_EQ(settings->musicVolume, 40);
}

TEST_F(SettingsTest, SavesAndLoadsBackEveryStoredField) {
    settings->width = 1024;
    settings->height = 768;
    settings->x = -8;
    settings->y = 20;
    settings->fullScreen = false;
    settings->sound = false;
    settings->hints = true;
    settings->showDragons = false;
    settings->musicVolume = 12;
    settings->level = 57;
    settings->soundInvert = true;
    const std::string path = dir.file("dx.cfg");
    ASSERT_TRUE(settings->save(false, path));

    Settings::destroy();
    Settings* back = Settings::create();
    ASSERT_TRUE(back->load(path));
    EXPECT_EQ(back->width, 1024);
    EXPECT_EQ(back->height, 768);
    EXPECT_EQ(back->x, -8);
    EXPECT_EQ(back->y, 20);
    EXPECT_FALSE(back->fullScreen);
    EXPECT_FALSE(back->sound);
    EXPECT_TRUE(back->hints);
    EXPECT_FALSE(back->showDragons);
    EXPECT_EQ(back->musicVolume, 12);
    EXPECT_EQ(back->level, 57);
    EXPECT_TRUE(back->soundInvert);
}

TEST_F(SettingsTest, AMinimisedWindowLosesItsSizeAndPlaceOnly) {
    settings->width = 1024;
    settings->x = 300;
    settings->level = 9;
    const std::string path = dir.file("dx.cfg");
    ASSERT_TRUE(settings->save(true, path));
    PropertyFile file;
    ASSERT_TRUE(file.loadFile(path, true, Settings::fileKey, Settings::fileKeyLength));
    EXPECT_FALSE(file.has("m_window_width"));
    EXPECT_FALSE(file.has("x"));
    EXPECT_EQ(file.getInt("m_level", 0), 9);
    ASSERT_TRUE(settings->load(path));
    EXPECT_EQ(settings->width, 800);
    EXPECT_EQ(settings->x, 0);
    EXPECT_EQ(settings->level, 9);
}

} // namespace

namespace {

TEST_F(SettingsTest, OpensTheGamePackWithTheGamePassword) {
    PackWriter writer;
    ASSERT_TRUE(writer.add("mui\\main.txt", "m_ok_btn.x 5"));
    std::filesystem::create_directories(dir.path() / "data");
    ASSERT_TRUE(writer.write(dir.file("data/data.pk")));

    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    ResourceManager* main = ResourceManager::create("main");
    settings->openResources();
    // The pack path is relative to the working folder, as the game's is.
    const std::string text(main->readFile("MUI/main.txt").text());
    std::filesystem::current_path(previous);

    EXPECT_EQ(text, "m_ok_btn.x 5");
    ResourceManager::destroy("main");
}

} // namespace
