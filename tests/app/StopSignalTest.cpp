// The game executable ends through its ordinary shutdown when it is sent
// SIGTERM, SIGINT or SIGHUP: exit code 0, the settings written and the log
// closed, as after a close of its window.
#include "TestSupport.h"
#include "persist/Settings.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <thread>

namespace {

// Waits for the child to end; -1 when it is still running after the limit.
int waitFor(pid_t child, int seconds, int& status) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child)
            return 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return -1;
}

class StopSignal : public ::testing::TestWithParam<int> {};

TEST_P(StopSignal, EndsTheGameThroughItsShutdown) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    const std::string home = tempPath("home_signal" + std::to_string(GetParam()));
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home + "/data");
    // Without its sound effects the start stops at a box waiting for a click.
    std::filesystem::copy(std::string(QUILLMERE_GAME_DIR) + "/wav", home + "/wav",
                          std::filesystem::copy_options::recursive);

    const pid_t game = ::fork();
    ASSERT_GE(game, 0);
    if (game == 0) {
        ::setenv("QUILLMERE_HOME", home.c_str(), 1);
        ::execl(QUILLMERE_GAME_EXE, QUILLMERE_GAME_EXE, static_cast<char*>(nullptr));
        ::_exit(127);
    }
    // Once the window shows, the game is in its main loop.
    const int found = std::system("timeout 20 xdotool search --sync --onlyvisible --name "
                                  "'^Quillmere$' >/dev/null 2>&1");
    int status = 0;
    if (found != 0 || ::kill(game, GetParam()) != 0) {
        ::kill(game, SIGKILL);
        ::waitpid(game, &status, 0);
        FAIL() << "the game's window never showed";
    }
    if (waitFor(game, 20, status) != 0) {
        ::kill(game, SIGKILL);
        ::waitpid(game, &status, 0);
        FAIL() << "the game did not end after the signal";
    }
    ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal itself";
    EXPECT_EQ(WEXITSTATUS(status), 0);

    Settings* settings = Settings::create();
    EXPECT_TRUE(settings->load(home + "/data/dx.cfg")) << "no settings written";
    Settings::destroy();
    const std::string log = readFile(home + "/game.log");
    ASSERT_GE(log.size(), 12u);
    EXPECT_EQ(log.substr(log.size() - 12), "Closing Log\n");
    std::filesystem::remove_all(home);
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto& info) {
                             return info.param == SIGTERM  ? std::string("Term")
                                    : info.param == SIGINT ? std::string("Int")
                                                           : std::string("Hup");
                         });

} // namespace
