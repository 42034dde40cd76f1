// Start-up of the game executable itself.
#include "app/Program.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

struct Outcome {
    int exitCode = -1;
    std::string output;
};

// Runs the game with extra environment settings and a time limit.
Outcome runGame(const std::string& environment, int seconds = 20) {
    std::string command = "env " + environment + " timeout " + std::to_string(seconds) + " '" +
                          QUILLMERE_GAME_EXE + "' 2>/dev/null";
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        return outcome;
    }
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) {
        outcome.output += buffer;
    }
    int status = pclose(pipe);
    outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

const char* const extensionMessage =
    "Unable to initialize the following extensions:\nGL_ARB_multitexture \n";

std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(ScreenFit, PositionHalvedOnlyWhenTheWindowWouldHangOffTheScreen) {
    int x = 700;
    int y = 100;
    Program::fitToScreen(1024, 768, 800, 600, x, y);
    EXPECT_EQ(x, 350);
    EXPECT_EQ(y, 100);
    x = 600;
    y = 468; // 300 + 468 = 768: at the edge counts
    Program::fitToScreen(1024, 768, 800, 600, x, y);
    EXPECT_EQ(x, 600);
    EXPECT_EQ(y, 234);
    x = 0;
    y = 0;
    Program::fitToScreen(0, 0, 800, 600, x, y); // no display known
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

TEST(GameStart, WithoutDisplayTellsTheMissingExtensionAndExitsZero) {
    std::string home = tempPath("home_nodisplay");
    std::filesystem::create_directories(home);
    Outcome o = runGame("-u DISPLAY -u WAYLAND_DISPLAY QUILLMERE_HOME=" + home);
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.output, extensionMessage);
    // The log was started in the game's folder; nothing closed it.
    EXPECT_TRUE(std::filesystem::exists(home + "/game.log"));
    EXPECT_EQ(readFile(home + "/game.log").find("Closing Log"), std::string::npos);
    std::filesystem::remove_all(home);
}

TEST(GameStart, DriverWithoutMultitextureTellsAndExitsZero) {
    REQUIRE_DISPLAY();
    std::string home = tempPath("home_noext");
    std::filesystem::create_directories(home);
    Outcome o = runGame("MESA_EXTENSION_OVERRIDE=-GL_ARB_multitexture QUILLMERE_HOME=" + home);
    EXPECT_EQ(o.exitCode, 0);
    // The driver may say something of its own first.
    std::string message = extensionMessage;
    ASSERT_GE(o.output.size(), message.size());
    EXPECT_EQ(o.output.substr(o.output.size() - message.size()), message);
    // The context was made: the driver block is there.
    EXPECT_NE(readFile(home + "/game.log").find("Vendor: "), std::string::npos);
    std::filesystem::remove_all(home);
}

TEST(GameStart, RunsInItsHomeFolderAndClosesCleanlyOnEscape) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    std::string home = tempPath("home_escape");
    std::filesystem::create_directories(home);
    // Escape goes to the game's window once it is there and has the focus.
    std::string script =
        "(id=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillmere$' | head -1); "
        "xdotool windowfocus --sync $id; sleep 0.3; xdotool key Escape) >/dev/null 2>&1 &";
    ASSERT_EQ(std::system(script.c_str()), 0);
    Outcome o = runGame("QUILLMERE_HOME=" + home, 30);
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.output, "");
    std::string log = readFile(home + "/game.log");
    EXPECT_NE(log.find("Renderer: "), std::string::npos);
    ASSERT_GE(log.size(), 12u);
    EXPECT_EQ(log.substr(log.size() - 12), "Closing Log\n");
    std::filesystem::remove_all(home);
}
