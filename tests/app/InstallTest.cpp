// The installed game: its layout, a moved installation started from another
// folder, and where the player's files go.
#ifdef QUILLMERE_DATA_EXE // built with the game's data only
#include "TestSupport.h"
#include "XDesktop.h"
#include "board/Field.h"
#include "game/MainMenu.h"
#include "persist/PackFormat.h"
#include "persist/PropertyFile.h"
#include "persist/ResourceManager.h"
#include "persist/Settings.h"
#include "support/ProcessRun.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

namespace fs = std::filesystem;

namespace {

const char* const appId = "org.quillmere.Quillmere";

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every file below a folder with its size and time, to see that nothing
// was written there.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>>
snapshot(const fs::path& root) {
    std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[fs::relative(entry.path(), root).string()] = {entry.file_size(),
                                                                entry.last_write_time()};
        }
    }
    return files;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

class InstalledGame : public ::testing::Test {
protected:
    void SetUp() override {
        root_ =
            tempPath("install_" +
                     std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "elsewhere");
        const ProcessOutcome installed = runCommand(
            std::string("'") + QUILLMERE_CMAKE_COMMAND + "' --install '" + QUILLMERE_BINARY_DIR +
                "' --prefix '" + (root_ / "prefix").string() + "' >/dev/null",
            (root_ / "install.err").string());
        ASSERT_EQ(installed.exitCode, 0) << installed.err;
    }
    void TearDown() override { fs::remove_all(root_); }

    // Starts the installed program from the folder "elsewhere" with the given
    // environment; once its window shows, notes what the desktop sees of it
    // and closes it the way a window manager does.
    ProcessOutcome play(const fs::path& prefix, const std::string& environment,
                        const std::string& executable = "quillmere") {
        std::thread closer([this] {
            for (int tries = 0; tries < 400; ++tries) {
                WindowIdentity seen = windowIdentity("Quillmere");
                if (seen.viewable && !seen.className.empty() && seen.iconWidth > 0) {
                    identity_ = seen;
                    break;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            for (int tries = 0; tries < 200 && !closeWindowNamed("Quillmere"); ++tries) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
        ProcessOutcome outcome =
            runCommand("cd '" + (root_ / "elsewhere").string() +
                           "' && env -u QUILLMERE_HOME -u SDL_VIDEO_X11_WMCLASS " + environment +
                           " timeout 30 '" + (prefix / "games" / executable).string() + "'",
                       (root_ / "run.err").string());
        closer.join();
        return outcome;
    }

    fs::path root_;
    WindowIdentity identity_;
};

} // namespace

TEST_F(InstalledGame, PutsEveryPartInItsStandardPlace) {
    const fs::path prefix = root_ / "prefix";
    EXPECT_TRUE(fs::is_regular_file(prefix / "games" / "quillmere"));
    EXPECT_TRUE(fs::is_regular_file(prefix / "share/games/quillmere/data/data.pk"));
    EXPECT_TRUE(fs::is_regular_file(prefix / "share/games/quillmere/wav/select.wav"));
    EXPECT_TRUE(
        fs::is_regular_file(prefix / "share/applications" / (std::string(appId) + ".desktop")));
    EXPECT_TRUE(
        fs::is_regular_file(prefix / "share/metainfo" / (std::string(appId) + ".metainfo.xml")));
    EXPECT_TRUE(fs::is_regular_file(prefix / "share/man/man6/quillmere.6"));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const std::string side = std::to_string(size) + "x" + std::to_string(size);
        EXPECT_TRUE(fs::is_regular_file(prefix / "share/icons/hicolor" / side / "apps" /
                                        (std::string(appId) + ".png")))
            << side;
    }
    // Only the game's data: no player's file and no build bookkeeping.
    for (const auto& [name, unused] : snapshot(prefix / "share/games/quillmere")) {
        EXPECT_TRUE(name.rfind("data/data.pk", 0) == 0 || name.rfind("wav/", 0) == 0) << name;
    }
}

TEST_F(InstalledGame, MovedTreeStartsFromAnotherFolderAndKeepsThePlayersFilesInXdg) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    // The installation finds its data from where it is, not from where it
    // was installed to.
    const fs::path prefix = root_ / "moved";
    fs::rename(root_ / "prefix", prefix);
    // Renamed too: the window's class must not come from the file's name.
    fs::rename(prefix / "games/quillmere", prefix / "games/renamed-game");
    const auto before = snapshot(prefix);
    const fs::path xdg = root_ / "xdg";

    const ProcessOutcome run = play(prefix, "XDG_DATA_HOME='" + xdg.string() + "'", "renamed-game");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    // The libraries below may chatter; the game itself has nothing to say.
    EXPECT_EQ(occurrences(run.err, "quillmere:"), 0u) << run.err;

    // The desktop ties the window to the entry; the icon came from the data.
    const std::string entry =
        readText(prefix / "share/applications" / (std::string(appId) + ".desktop"));
    EXPECT_TRUE(identity_.viewable);
    EXPECT_NE(identity_.className, "");
    EXPECT_NE(entry.find("\nStartupWMClass=" + identity_.className + "\n"), std::string::npos)
        << identity_.className;
    EXPECT_EQ(identity_.iconWidth, 128);

    Settings* settings = Settings::create();
    EXPECT_TRUE(settings->load((xdg / "quillmere/data/dx.cfg").string()));
    Settings::destroy();
    EXPECT_NE(readText(xdg / "quillmere/game.log").find("Closing Log"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(root_ / "elsewhere"));
    EXPECT_EQ(snapshot(prefix), before);
}

TEST_F(InstalledGame, WithoutAHomeToWriteInPlaysAndSaysSoOnce) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    const fs::path prefix = root_ / "prefix";
    const auto before = snapshot(prefix);
    // A home below a plain file can never be made, whoever runs the test.
    std::ofstream(root_ / "plain-file") << "x";
    fs::create_directories(root_ / "tmp");
    const ProcessOutcome run =
        play(prefix, "-u XDG_DATA_HOME HOME='" + (root_ / "plain-file" / "home").string() +
                         "' TMPDIR='" + (root_ / "tmp").string() + "'");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(identity_.iconWidth, 128);
    EXPECT_EQ(occurrences(run.err, "cannot keep"), 1u) << run.err;
    EXPECT_EQ(occurrences(run.err, "quillmere:"), 1u) << run.err;
    // The stand-in folder is gone again; nothing was written anywhere else.
    EXPECT_TRUE(fs::is_empty(root_ / "tmp"));
    EXPECT_TRUE(fs::is_empty(root_ / "elsewhere"));
    EXPECT_EQ(snapshot(prefix), before);
}

TEST_F(InstalledGame, RegeneratingTheDataKeepsTheSavedGame) {
    PrivateDisplay display;
    REQUIRE_DISPLAY();
    const fs::path prefix = root_ / "prefix";
    const fs::path data = prefix / "share/games/quillmere";
    const fs::path xdg = root_ / "xdg";
    const std::string environment = "XDG_DATA_HOME='" + xdg.string() + "'";
    ASSERT_EQ(play(prefix, environment).exitCode, 0);
    const fs::path saved = xdg / "quillmere/data/saved.dat";
    // A game in progress as the game writes it, at level 1.
    PropertyFile game;
    {
        ResourceManager* pack = ResourceManager::create("main");
        pack->setPassword(PackFormat::gamePassword);
        pack->open((data / "data/data.pk").string());
        Field field(1);
        game.setString("menudata.gamename", "vorbel game");
        game.setInt("game.m_level", 1);
        game.setInt("game.m_lives", 3);
        field.save(game);
        ResourceManager::destroy("main");
    }
    ASSERT_TRUE(
        game.saveFile(saved.string(), MainMenu::savedGameKey, MainMenu::savedGameKeyLength));
    // A choice of the player's that only their settings file knows.
    const std::string settingsFile = (xdg / "quillmere/data/dx.cfg").string();
    Settings* settings = Settings::create();
    ASSERT_TRUE(settings->load(settingsFile));
    settings->musicVolume = 17;
    ASSERT_TRUE(settings->save(false, settingsFile));
    Settings::destroy();

    fs::remove_all(data);
    const ProcessOutcome generated =
        runCommand(std::string("'") + QUILLMERE_DATA_EXE + "' '" + data.string() + "' >/dev/null",
                   (root_ / "generate.err").string());
    ASSERT_EQ(generated.exitCode, 0) << generated.err;
    const ProcessOutcome again = play(prefix, environment);
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(identity_.iconWidth, 128);
    PropertyFile kept;
    ASSERT_TRUE(
        kept.loadFile(saved.string(), true, MainMenu::savedGameKey, MainMenu::savedGameKeyLength));
    EXPECT_EQ(kept.getInt("game.m_level", 0), 1);
    EXPECT_EQ(kept.getString("field.field", ""), game.getString("field.field", "none"));
    settings = Settings::create();
    EXPECT_TRUE(settings->load(settingsFile));
    EXPECT_EQ(settings->musicVolume, 17);
    Settings::destroy();
    EXPECT_FALSE(fs::exists(data / "data/dx.cfg"));
    EXPECT_FALSE(fs::exists(data / "data/saved.dat"));
}

#endif
