#include "BoardTestSupport.h"

#include "board/Field.h"
#include "persist/ResourceManager.h"
#include "persist/Settings.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace boardtest;

namespace {

// Runs each test in a fresh folder with a resource manager "main" that has
// no pack, so level files come from the disk.
class LevelResource : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        previous = std::filesystem::current_path();
        std::filesystem::create_directories(folder.path() / "levels");
        std::filesystem::current_path(folder.path());
        ResourceManager::create("main");
        Settings::destroy();
        Settings::create();
    }
    void TearDown() override {
        Settings::destroy();
        ResourceManager::destroy("main");
        std::filesystem::current_path(previous);
        BoardTest::TearDown();
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream out(folder.file(name), std::ios::binary);
        out << text;
    }
    std::filesystem::path previous;
    TempDir folder;
};

TEST_F(LevelResource, ReadsTheNumberedFileAndRaisesTheHighestLevel) {
    write("levels/level007.txt", levelText(4, 0, 0, 3, 3, "0240000"));
    EXPECT_EQ(Settings::instance()->level, 3);
    Field f(7);
    EXPECT_EQ(f.level(), 7);
    EXPECT_EQ(f.colours(), 4);
    EXPECT_EQ(f.cellCount(), 7);
    EXPECT_EQ(f.cellBackAt(0, 1)->fill, CellBack::Fill::Filled);
    EXPECT_EQ(f.cellBackAt(1, 0)->fill, CellBack::Fill::Locked);
    EXPECT_EQ(Settings::instance()->level, 7);
    write("levels/level002.txt", levelText(4, 0, 0, 3, 3, "0000000"));
    Field g(2);
    EXPECT_EQ(Settings::instance()->level, 7); // never lowered
}

TEST_F(LevelResource, MissingOrShortFilesGiveAnEmptyBoardAndAMessage) {
    write("levels/level009.txt", "5\r\n20\r\n0\r\n");
    for (int number : {8, 9}) {
        ::testing::internal::CaptureStderr();
        Field f(number);
        std::string message = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(message.find(LevelFile::fileName(number)), std::string::npos) << message;
        EXPECT_EQ(f.rows(), 9);
        EXPECT_EQ(f.columns(), 9);
        EXPECT_EQ(f.cellCount(), 61);
        EXPECT_EQ(f.colours(), 5);
        EXPECT_EQ(f.jokerPercent(), 0);
        EXPECT_EQ(countBalls(f), 12);
        EXPECT_EQ(Settings::instance()->level, number);
    }
}

TEST_F(LevelResource, OversizedBoardsAreRefused) {
    write("levels/level010.txt", levelText(5, 20, 0, 121, 9, uniformMap(9, 9, '0')));
    ::testing::internal::CaptureStderr();
    Field f(10);
    EXPECT_FALSE(::testing::internal::GetCapturedStderr().empty());
    EXPECT_EQ(f.rows(), 9);
    EXPECT_EQ(f.cellCount(), 61);
}

} // namespace
