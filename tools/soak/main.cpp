// quillmere-soak [--levels N] [--seed S] [--pack FILE]: plays N levels of
// whole games through the real rules and game screen without a window,
// checking the board and the flow after every update and saved games at
// random moments. Exits with 1 on any broken rule, 2 on a bad command line.
#include "Soak.h"

#include "audio/CSoundManager.h"
#include "audio/ModulePlayer.h"
#include "audio/MusicPlaylist.h"
#include "board/EffectLayer.h"
#include "game/GameResources.h"
#include "persist/PackFormat.h"
#include "persist/ResourceManager.h"
#include "platform/MessageBox.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

// Levels between two lines of progress on standard error.
constexpr long progressEvery = 250;

// The sound effects stay silent without a device; the box that says so must
// not wait for a click nobody makes.
struct SilentBox : platform::MessageBox {
    void show(const std::string&, const std::string&, platform::MessageIcon) override {}
};

struct CommandLine {
    soak::Options options;
    std::string pack;
    bool ok = true;
};

// The game's own folder when run from it, else the pack the build made.
std::string defaultPack() {
    std::error_code error;
    if (std::filesystem::exists("data/data.pk", error))
        return "data/data.pk";
    return QUILLMERE_GENERATED_PACK;
}

bool number(const char* text, unsigned long long max, unsigned long long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoull(text, &end, 10);
    return text[0] >= '0' && text[0] <= '9' && *end == '\0' && errno == 0 && value <= max;
}

CommandLine parse(int argc, char** argv) {
    CommandLine line;
    line.pack = defaultPack();
    for (int i = 1; i < argc && line.ok; ++i) {
        const bool hasValue = i + 1 < argc;
        unsigned long long value = 0;
        if (std::strcmp(argv[i], "--levels") == 0 && hasValue &&
            number(argv[i + 1], 1000000000ull, value) && value > 0) {
            line.options.levels = static_cast<long>(value);
            ++i;
        } else if (std::strcmp(argv[i], "--seed") == 0 && hasValue &&
                   number(argv[i + 1], 0xffffffffull, value)) {
            line.options.seed = static_cast<unsigned>(value);
            ++i;
        } else if (std::strcmp(argv[i], "--pack") == 0 && hasValue) {
            line.pack = argv[++i];
        } else {
            line.ok = false;
        }
    }
    return line;
}

void tearDown() {
    GameResources::destroy();
    EffectLayer::destroy();
    MusicPlaylist::destroy();
    if (ModulePlayer::exists())
        ModulePlayer::destroy();
    CSoundManager::destroy();
    ResourceManager::destroy("main");
}

} // namespace

int main(int argc, char** argv) {
    const CommandLine line = parse(argc, argv);
    if (!line.ok) {
        std::fprintf(stderr, "usage: %s [--levels N] [--seed S] [--pack FILE]\n", argv[0]);
        return 2;
    }
    SilentBox box;
    platform::setMessageBox(&box);
    ResourceManager* pack = ResourceManager::create("main");
    pack->setPassword(PackFormat::gamePassword);
    pack->open(line.pack);
    if (pack->directory().empty()) {
        std::fprintf(stderr, "quillmere-soak: no resource pack at %s\n", line.pack.c_str());
        tearDown();
        return 2;
    }
    // Silent: the sound manager is never given a device.
    CSoundManager::instance();

    const auto started = std::chrono::steady_clock::now();
    auto secondsSince = [](std::chrono::steady_clock::time_point start) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    soak::Options options = line.options;
    options.onLevelEnd = [&](const soak::Tally& t) {
        if (t.levels % progressEvery == 0)
            std::fprintf(stderr, "%ld levels, %ld failures, %.0f s\n", t.levels, t.failures,
                         secondsSince(started));
    };
    const soak::Tally tally = soak::run(options);
    const double seconds = secondsSince(started);
    tearDown();
    platform::setMessageBox(nullptr);

    for (const std::string& failure : tally.firstFailures)
        std::printf("FAILED %s\n", failure.c_str());
    std::printf("seed %u\n", line.options.seed);
    std::printf("levels played: %ld (won %ld, lost %ld), highest level %d\n", tally.levels,
                tally.won, tally.lost, tally.highestLevel);
    std::printf("games: %ld (%ld ended by the rules, %ld of them won to the last level)\n",
                tally.games, tally.gamesOver, tally.gamesCompleted);
    std::printf("updates: %ld, moves: %ld, save checks: %ld\n", tally.updates, tally.moves,
                tally.saveChecks);
    std::printf("invariant failures: %ld (%ld levels that never ended)\n", tally.failures,
                tally.stuck);
    std::printf("elapsed: %.1f s (%.2f levels/s)\n", seconds,
                seconds > 0 ? static_cast<double>(tally.levels) / seconds : 0.0);
    const bool complete = tally.levels >= line.options.levels;
    return tally.failures == 0 && complete ? 0 : 1;
}
