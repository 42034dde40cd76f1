// Start-up of the game executable itself.
#include "app/Program.h"
#include "TestSupport.h"
#include "XDesktop.h"
#include "persist/Settings.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

struct Outcome {
    int exitCode = -1;
    std::string output;
};

// Runs the game with extra environment settings and a time limit.
// With errorsToo, what it writes on standard error comes after its output.
Outcome runGame(const std::string& environment, int seconds = 20, bool errorsToo = false) {
    std::string command = "env " + environment + " timeout " + std::to_string(seconds) + " '" +
                          QUILLMERE_GAME_EXE + (errorsToo ? "' 2>&1" : "' 2>/dev/null");
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

TEST(GameStart, WithoutOpenGlTellsTheMissingExtensionAndExitsZero) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    std::string home = tempPath("home_nogl");
    std::filesystem::create_directories(home);
    // The window layer finds no OpenGL library to load.
    Outcome o = runGame("SDL_OPENGL_LIBRARY=/nonexistent/libGL.so.1 QUILLMERE_HOME=" + home);
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.output, extensionMessage);
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

// A game folder for a run that reaches the menus: the loose sound effects
// are there (a missing one stops the start with a box waiting for a click),
// nothing else of the data.
std::string gameHome(const std::string& name) {
    const std::string home = tempPath(name);
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home + "/data");
    std::filesystem::copy(std::string(QUILLMERE_GAME_DIR) + "/wav", home + "/wav",
                          std::filesystem::copy_options::recursive);
    return home;
}

// Starts the game in its own folder on a private display, notes the window's
// geometry once it shows, then presses Escape. Returns the outcome; the
// geometry (xdotool's words) is left in home/geometry.
Outcome runAndEscape(const std::string& home) {
    std::string script =
        "(id=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quillmere$' | head -1); "
        "sleep 0.3; xdotool getwindowgeometry $id > '" +
        home + "/geometry'; xdotool windowfocus --sync $id; xdotool key Escape) >/dev/null 2>&1 &";
    if (std::system(script.c_str()) != 0) {
        return Outcome{};
    }
    return runGame("QUILLMERE_HOME=" + home, 30);
}

TEST(GameStart, RunsInItsHomeFolderAndClosesCleanlyOnEscape) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    std::string home = gameHome("home_escape");
    Outcome o = runAndEscape(home);
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_EQ(o.output, "");
    std::string log = readFile(home + "/game.log");
    EXPECT_NE(log.find("Renderer: "), std::string::npos);
    ASSERT_GE(log.size(), 12u);
    EXPECT_EQ(log.substr(log.size() - 12), "Closing Log\n");
    std::filesystem::remove_all(home);
}

TEST(GameStart, ClosingTheWindowEndsTheRunCleanly) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    std::string home = gameHome("home_close");
    std::thread closer([] {
        // Until the game's window is there.
        for (int tries = 0; tries < 200 && !closeWindowNamed("Quillmere"); ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    Outcome o = runGame("QUILLMERE_HOME=" + home, 30);
    closer.join();
    EXPECT_EQ(o.exitCode, 0);
    std::string log = readFile(home + "/game.log");
    ASSERT_GE(log.size(), 12u);
    EXPECT_EQ(log.substr(log.size() - 12), "Closing Log\n");
    std::filesystem::remove_all(home);
}

TEST(GameStart, FirstRunIsFullScreenAndTheChoiceIsSaved) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    std::string home = gameHome("home_first");
    Outcome o = runAndEscape(home);
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_NE(readFile(home + "/geometry").find("Geometry: 1280x1024"), std::string::npos)
        << readFile(home + "/geometry");
    Settings* settings = Settings::create();
    ASSERT_TRUE(settings->load(home + "/data/dx.cfg"));
    EXPECT_TRUE(settings->fullScreen);
    Settings::destroy();
    std::filesystem::remove_all(home);
}

// A settings file in home for a window of the given size and place.
bool writeWindowedSettings(const std::string& home, int width, int height, int x, int y) {
    std::filesystem::create_directories(home + "/data");
    Settings* settings = Settings::create();
    settings->fullScreen = false;
    settings->width = width;
    settings->height = height;
    settings->x = x;
    settings->y = y;
    const bool saved = settings->save(false, home + "/data/dx.cfg");
    Settings::destroy();
    return saved;
}

TEST(GameStart, OpensWhereTheSettingsSayAndRemembersThePlace) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    std::string home = gameHome("home_placed");
    ASSERT_TRUE(writeWindowedSettings(home, 640, 480, 100, 80));

    Outcome o = runAndEscape(home);
    EXPECT_EQ(o.exitCode, 0);
    std::string geometry = readFile(home + "/geometry");
    EXPECT_NE(geometry.find("Position: 100,80"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Geometry: 640x480"), std::string::npos) << geometry;

    Settings* settings = Settings::create();
    ASSERT_TRUE(settings->load(home + "/data/dx.cfg"));
    EXPECT_FALSE(settings->fullScreen);
    EXPECT_EQ(settings->x, 100);
    EXPECT_EQ(settings->y, 80);
    EXPECT_EQ(settings->width, 640);
    Settings::destroy();
    std::filesystem::remove_all(home);
}

TEST(GameStart, WithoutItsPackTellsWhichOneAndStillRuns) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    std::string home = gameHome("home_nopack");
    Outcome o = runGame("QUILLMERE_STARTUP_PROBE=1 QUILLMERE_HOME=" + home, 30, true);
    EXPECT_EQ(o.exitCode, 0);
    EXPECT_NE(o.output.find("resource pack \"data/data.pk\" was not found\n"), std::string::npos)
        << o.output;
    // It went on to draw a frame and shut down as usual.
    EXPECT_NE(o.output.find("startup-ms "), std::string::npos) << o.output;
    std::string log = readFile(home + "/game.log");
    ASSERT_GE(log.size(), 12u);
    EXPECT_EQ(log.substr(log.size() - 12), "Closing Log\n");
    std::filesystem::remove_all(home);
}

TEST(GameStart, AWindowStoredOffTheScreenOpensOnIt) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    std::string home = gameHome("home_offscreen");
    ASSERT_TRUE(writeWindowedSettings(home, 3000, 480, -5000, 80));

    Outcome o = runAndEscape(home);
    EXPECT_EQ(o.exitCode, 0);
    std::string geometry = readFile(home + "/geometry");
    // The private desktop is 1280 by 1024: the window shrinks to its width
    // and comes back centred on it.
    EXPECT_NE(geometry.find("Position: 0,272"), std::string::npos) << geometry;
    EXPECT_NE(geometry.find("Geometry: 1280x480"), std::string::npos) << geometry;
    std::filesystem::remove_all(home);
}
