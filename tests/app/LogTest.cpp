#include "app/Log.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(Log, EachRunStartsEmptyAndEndsWithClosingLog) {
    std::string path = tempPath("quillmere_log_test.log");
    ASSERT_TRUE(Log::open(path));
    Log::printf("Vendor: %s", "first");
    Log::printf("%d-%d", 1, 2);
    Log::close();
    EXPECT_EQ(readFile(path), "Vendor: first\n1-2\nClosing Log\n");

    ASSERT_TRUE(Log::open(path));
    EXPECT_EQ(readFile(path), "");
    Log::printf("second run");
    Log::close();
    EXPECT_EQ(readFile(path), "second run\nClosing Log\n");
    std::filesystem::remove(path);
    Log::open("");
}

TEST(Log, LinesReachTheDiskAtOnce) {
    std::string path = tempPath("quillmere_log_flush.log");
    ASSERT_TRUE(Log::open(path));
    Log::setPrefix("> ");
    Log::printf("one");
    // Read while the log is still "open": nothing is held back.
    EXPECT_EQ(readFile(path), "> one\n");
    Log::setPrefix("");
    std::filesystem::remove(path);
    Log::open("");
}

TEST(Log, UnwritableFileIsSilent) {
    // A folder where the file should be: it can be neither created nor appended to.
    std::string path = tempPath("quillmere_log_dir");
    std::filesystem::create_directories(path);
    EXPECT_FALSE(Log::open(path));
    Log::printf("lost %s", "line");
    Log::close();
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_TRUE(std::filesystem::is_empty(path));
    std::filesystem::remove(path);

    EXPECT_FALSE(Log::open(tempPath("no_such_folder/game.log")));
    Log::printf("also lost");
    EXPECT_FALSE(std::filesystem::exists(tempPath("no_such_folder")));
}
