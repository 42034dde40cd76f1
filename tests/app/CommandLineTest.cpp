// The arguments of the game executable.
#include "app/CommandLine.h"
#include "TestSupport.h"
#include "support/ProcessRun.h"

#include <gtest/gtest.h>

namespace {

struct Handled {
    int exitCode = 0;
    std::string out;
    std::string err;
};

std::string contents(std::FILE* f) {
    std::rewind(f);
    std::string text;
    for (int c = std::fgetc(f); c != EOF; c = std::fgetc(f)) {
        text += static_cast<char>(c);
    }
    std::fclose(f);
    return text;
}

Handled handle(std::vector<const char*> argv) {
    argv.insert(argv.begin(), "quillmere");
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    Handled h;
    h.exitCode = CommandLine::handle(static_cast<int>(argv.size()), argv.data(), out, err);
    h.out = contents(out);
    h.err = contents(err);
    return h;
}

// The game without a display: if it tried to open its window it would end
// with the missing-extension message instead.
ProcessOutcome runGame(const std::string& arguments) {
    return runCommand(std::string("env -u DISPLAY -u WAYLAND_DISPLAY QUILLMERE_HOME='") +
                          tempPath("cli_home") + "' timeout 20 '" + QUILLMERE_GAME_EXE + "' " +
                          arguments,
                      tempPath("cli.err"));
}

} // namespace

TEST(CommandLine, HelpAndVersionPrintAndEndTheRun) {
    const Handled help = handle({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind(std::string(CommandLine::usage) + "\n", 0), 0u) << help.out;
    EXPECT_NE(help.out.find("--version"), std::string::npos);
    EXPECT_EQ(help.err, "");

    const Handled version = handle({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("quillmere ") + CommandLine::version() + "\n");
    EXPECT_NE(std::string(CommandLine::version()), "0");
}

TEST(CommandLine, AnythingElseIsOneUsageLineAndExitCodeTwo) {
    const std::vector<std::vector<const char*>> wrong{
        {"--bogus"}, {"-h"}, {"--help", "--version"}, {"--version", "x"}, {""}, {"--HELP"}};
    for (const auto& argv : wrong) {
        const Handled h = handle(argv);
        EXPECT_EQ(h.exitCode, 2) << argv[0];
        EXPECT_EQ(h.out, "");
        EXPECT_EQ(h.err, std::string(CommandLine::usage) + "\n");
    }
}

TEST(CommandLine, NoArgumentsStartTheGame) {
    const Handled h = handle({});
    EXPECT_EQ(h.exitCode, -1);
    EXPECT_EQ(h.out + h.err, "");
}

TEST(CommandLine, TheExecutableAnswersWithoutOpeningAWindow) {
    const ProcessOutcome help = runGame("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_EQ(help.out.rfind(CommandLine::usage, 0), 0u) << help.out;
    const ProcessOutcome version = runGame("--version");
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, std::string("quillmere ") + CommandLine::version() + "\n");
    const ProcessOutcome wrong = runGame("--fullscreen");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(wrong.out, "");
    EXPECT_EQ(wrong.err, std::string(CommandLine::usage) + "\n");
    // Nothing was started: not even the log.
    EXPECT_FALSE(std::filesystem::exists(tempPath("cli_home")));
}
