#include "persist/Settings.h"
#include "pack/PackWriter.h"
#include "persist/PropertyFile.h"
#include "persist/ResourceManager.h"
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

namespace {

using platform::Rect;

TEST_F(SettingsTest, KeepsTheVolumeAndTheHighestLevelInTheirRanges) {
    struct Case {
        int storedVolume, volume, storedLevel, level;
    } cases[] = {
        {-5, 0, 0, 1}, {65, 64, 101, 100}, {1000, 64, -7, 1}, {64, 64, 100, 100}, {0, 0, 1, 1}};
    for (const Case& c : cases) {
        PropertyFile file;
        file.setInt("m_music_volume", c.storedVolume);
        file.setInt("m_level", c.storedLevel);
        ASSERT_TRUE(settings->load(writeFile(file)));
        EXPECT_EQ(settings->musicVolume, c.volume) << c.storedVolume;
        EXPECT_EQ(settings->level, c.level) << c.storedLevel;
    }
}

TEST_F(SettingsTest, AWindowLargerThanTheDesktopShrinksToFitIt) {
    settings->width = 2500;
    settings->height = 1400;
    settings->x = 10;
    settings->y = 20;
    settings->fitWindowTo({Rect{0, 0, 1280, 1024}});
    EXPECT_EQ(settings->width, 1280);
    EXPECT_EQ(settings->height, 1024);
    // Still on the screen: the place is kept for the screen fit to judge.
    EXPECT_EQ(settings->x, 10);
    EXPECT_EQ(settings->y, 20);
}

TEST_F(SettingsTest, AWindowOffEveryScreenComesBackOntoTheFirst) {
    const std::vector<Rect> screens{Rect{0, 0, 1280, 1024}, Rect{1280, 0, 3200, 1080}};
    settings->width = 800;
    settings->height = 600;
    settings->x = 5000;
    settings->y = 300;
    settings->fitWindowTo(screens);
    EXPECT_EQ(settings->x, 240);
    EXPECT_EQ(settings->y, 212);

    // Left of and above the first screen by exactly its own size: touching
    // the edge is not on the screen.
    settings->x = -800;
    settings->y = -600;
    settings->fitWindowTo(screens);
    EXPECT_EQ(settings->x, 240);
    EXPECT_EQ(settings->y, 212);
}

TEST_F(SettingsTest, AWindowOnASecondScreenOrPartlyVisibleStaysWhereItIs) {
    const std::vector<Rect> screens{Rect{0, 0, 1280, 1024}, Rect{1280, 0, 3200, 1080}};
    settings->width = 800;
    settings->height = 600;
    settings->x = 2000;
    settings->y = 100;
    settings->fitWindowTo(screens);
    EXPECT_EQ(settings->x, 2000);
    EXPECT_EQ(settings->y, 100);
    settings->x = -799;
    settings->y = 1023;
    settings->fitWindowTo(screens);
    EXPECT_EQ(settings->x, -799);
    EXPECT_EQ(settings->y, 1023);
}

TEST_F(SettingsTest, NoKnownScreenOrATinyOneLeavesAUsableWindow) {
    settings->width = 900;
    settings->height = 700;
    settings->x = 99999;
    settings->fitWindowTo({});
    EXPECT_EQ(settings->width, 900);
    EXPECT_EQ(settings->x, 99999);
    settings->fitWindowTo({Rect{0, 0, 64, 48}});
    EXPECT_EQ(settings->width, 100);
    EXPECT_EQ(settings->height, 100);
}

} // namespace
