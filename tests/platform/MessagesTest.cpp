#include "platform/Messages.h"
#include "platform/FileSystem.h"
#include "platform/SystemCursor.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace platform;

TEST(Messages, MousePositionsRoundTripAsSigned16Bit) {
    for (int x : {0, 1, 799, -1, -800, 32767, -32768}) {
        for (int y : {0, 599, -3, 32767}) {
            std::intptr_t l = makeLParam(x, y);
            EXPECT_EQ(lParamX(l), x);
            EXPECT_EQ(lParamY(l), y);
        }
    }
}

TEST(Messages, CodesAreTheClassicOnes) {
    // Stored settings and the screens use these numbers directly.
    EXPECT_EQ(VK_BACK, 8);
    EXPECT_EQ(VK_RETURN, 13);
    EXPECT_EQ(VK_SHIFT, 16);
    EXPECT_EQ(VK_CONTROL, 17);
    EXPECT_EQ(VK_ESCAPE, 27);
    EXPECT_EQ(VK_END, 35);
    EXPECT_EQ(VK_HOME, 36);
    EXPECT_EQ(VK_LEFT, 37);
    EXPECT_EQ(VK_RIGHT, 39);
    EXPECT_EQ(VK_INSERT, 45);
    EXPECT_EQ(VK_DELETE, 46);
    EXPECT_EQ(WM_KEYDOWN, 0x100u);
    EXPECT_EQ(WM_LBUTTONDOWN, 0x201u);
    EXPECT_EQ(MK_LBUTTON | MK_RBUTTON | MK_SHIFT | MK_CONTROL, 0xFu);
}

TEST(FileSystem, DeleteFileRemovesOnlyWhatExists) {
    std::string path =
        (std::filesystem::temp_directory_path() / ("quillmere_delete_" + std::to_string(getpid())))
            .string();
    std::FILE* f = std::fopen(path.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_TRUE(deleteFile(path));
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(deleteFile(path));
    EXPECT_FALSE(deleteFile(""));
}

TEST(SystemCursor, VisibleWhileTheShowCountIsNotNegative) {
    EXPECT_TRUE(systemCursorVisible());
    EXPECT_EQ(showSystemCursor(false), -1);
    EXPECT_FALSE(systemCursorVisible());
    EXPECT_EQ(showSystemCursor(false), -2);
    EXPECT_EQ(showSystemCursor(true), -1);
    EXPECT_FALSE(systemCursorVisible());
    EXPECT_EQ(showSystemCursor(true), 0);
    EXPECT_TRUE(systemCursorVisible());
}
