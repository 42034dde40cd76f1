// The desktop library is reached through the platform layer only.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

TEST(PlatformBoundary, OnlyThePlatformFolderIncludesSdl) {
    namespace fs = std::filesystem;
    const fs::path source = fs::path(QUILLMERE_SOURCE_DIR) / "src";
    const fs::path platform = source / "platform";
    const std::regex sdlInclude(R"(^\s*#\s*include\s*[<"](SDL2/)?SDL[^>"]*[>"])");
    int filesSeen = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
        if (!entry.is_regular_file()) {
            continue;
        }
        std::string ext = entry.path().extension().string();
        if (ext != ".h" && ext != ".cpp") {
            continue;
        }
        ++filesSeen;
        bool inPlatform = entry.path().parent_path() == platform;
        std::ifstream in(entry.path());
        int lineNumber = 0;
        for (std::string line; std::getline(in, line);) {
            ++lineNumber;
            if (!inPlatform && std::regex_search(line, sdlInclude)) {
                ADD_FAILURE() << entry.path() << ":" << lineNumber << ": " << line;
            }
        }
    }
    EXPECT_GT(filesSeen, 20);
}
