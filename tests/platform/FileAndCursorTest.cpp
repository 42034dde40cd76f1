#include "platform/FileSystem.h"
#include "platform/SystemCursor.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

using namespace platform;

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
