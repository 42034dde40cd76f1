// The libraries depend one way, from the frame down to the platform, and the
// desktop library is reached through the platform layer only.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// From the top down; a folder may include its own headers and those below.
const std::vector<std::string> layers = {"app",   "game", "ui",      "board",
                                         "audio", "gfx",  "persist", "platform"};

std::optional<std::size_t> rank(const std::string& folder) {
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (layers[i] == folder) {
            return i;
        }
    }
    return std::nullopt;
}

// Every include of one source text that goes against the layers, or reaches
// SDL outside the platform folder, as "line: text".
std::vector<std::string> wrongWayIncludes(const std::string& folder, const std::string& text) {
    static const std::regex ownInclude(R"(^\s*#\s*include\s*"([a-z]+)/[^"]+")");
    static const std::regex sdlInclude(R"(^\s*#\s*include\s*[<"](SDL2/)?SDL[^>"]*[>"])");
    std::vector<std::string> found;
    const std::optional<std::size_t> from = rank(folder);
    std::istringstream in(text);
    int lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        std::smatch match;
        bool wrong = folder != "platform" && std::regex_search(line, sdlInclude);
        if (std::regex_search(line, match, ownInclude)) {
            const std::optional<std::size_t> to = rank(match[1].str());
            wrong = wrong || !from || !to || *to < *from;
        }
        if (wrong) {
            found.push_back(std::to_string(lineNumber) + ": " + line);
        }
    }
    return found;
}

} // namespace

TEST(Layering, TheRuleCatchesIncludesAgainstTheDirection) {
    EXPECT_TRUE(wrongWayIncludes("app", "#include \"game/Game.h\"\n").empty());
    EXPECT_TRUE(wrongWayIncludes("board", "#include \"board/Field.h\"\n").empty());
    EXPECT_TRUE(wrongWayIncludes("platform", "#include <SDL2/SDL.h>\n").empty());
    EXPECT_TRUE(wrongWayIncludes("gfx", "#include <GL/gl.h>\n#include <vector>\n").empty());

    EXPECT_EQ(wrongWayIncludes("gfx", "// x\n#include \"app/Application.h\"\n"),
              std::vector<std::string>{"2: #include \"app/Application.h\""});
    EXPECT_EQ(wrongWayIncludes("persist", "  #  include \"gfx/Texture.h\"\n").size(), 1u);
    EXPECT_EQ(wrongWayIncludes("ui", "#include \"game/Game.h\"\n").size(), 1u);
    EXPECT_EQ(wrongWayIncludes("board", "#include <SDL.h>\n").size(), 1u);
    EXPECT_EQ(wrongWayIncludes("game", "#include \"SDL2/SDL_events.h\"\n").size(), 1u);
    // A folder outside the layers, from either side, is a wrong way too.
    EXPECT_EQ(wrongWayIncludes("board", "#include \"tools/Thing.h\"\n").size(), 1u);
    EXPECT_EQ(wrongWayIncludes("extras", "#include \"platform/Clock.h\"\n").size(), 1u);
}

TEST(Layering, NoSourceIncludesAgainstTheDirection) {
    const fs::path source = fs::path(QUILLMERE_SOURCE_DIR) / "src";
    int filesSeen = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(source)) {
        const std::string ext = entry.path().extension().string();
        if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) {
            continue;
        }
        const fs::path relative = fs::relative(entry.path(), source);
        if (relative.begin() == relative.end() || ++relative.begin() == relative.end()) {
            continue; // main.cpp sits above every layer
        }
        ++filesSeen;
        std::ifstream in(entry.path());
        std::stringstream text;
        text << in.rdbuf();
        for (const std::string& line : wrongWayIncludes(relative.begin()->string(), text.str())) {
            ADD_FAILURE() << relative << ":" << line;
        }
    }
    EXPECT_GT(filesSeen, 100);
}
