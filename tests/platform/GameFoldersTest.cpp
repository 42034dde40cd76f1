#include "platform/GameFolders.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;
using platform::GameFolders;

namespace {

// A made-up machine: an installed tree, a build, a home and a working folder,
// all inside one temporary folder.
class Machine : public ::testing::Test {
protected:
    GameFolders::Environment environment() const {
        GameFolders::Environment e;
        e.home = dir_.file("home");
        e.executableFolder = dir_.file("prefix/games");
        e.installedData = "../share/games/quillmere";
        e.builtData = dir_.file("build/gamedata");
        e.workingFolder = dir_.file("work");
        return e;
    }
    void makeData(const std::string& folder) const { dir_.write(folder + "/data/data.pk", "pack"); }

    TempDir dir_;
};

// Keeps the test process's working folder across a test that enters others.
class Entering : public Machine {
protected:
    void SetUp() override { start_ = fs::current_path(); }
    void TearDown() override { fs::current_path(start_); }

    fs::path start_;
};

std::string readAll(std::FILE* f) {
    std::rewind(f);
    std::string text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, f)) {
        text += buffer;
    }
    return text;
}

} // namespace

TEST_F(Machine, InstalledDataBeatsTheBuildsAndTheUserFolderFollowsXdg) {
    makeData("prefix/share/games/quillmere");
    fs::create_directories(dir_.file("build/gamedata"));
    GameFolders::Environment e = environment();
    e.xdgDataHome = dir_.file("xdg");
    const GameFolders::Places places = GameFolders::choose(e);
    EXPECT_EQ(places.data, fs::path(dir_.file("prefix/share/games/quillmere")));
    EXPECT_EQ(places.user, fs::path(dir_.file("xdg/quillmere")));
}

TEST_F(Machine, AnInstalledFolderWithoutThePackDoesNotCount) {
    fs::create_directories(dir_.file("prefix/share/games/quillmere/wav"));
    fs::create_directories(dir_.file("build/gamedata"));
    EXPECT_EQ(GameFolders::choose(environment()).data, fs::path(dir_.file("build/gamedata")));
}

TEST_F(Machine, WithoutInstallOrBuildTheDataIsBesideTheProgramOrInTheWorkingFolder) {
    EXPECT_EQ(GameFolders::choose(environment()).data, fs::path(dir_.file("work")));
    makeData("prefix/games");
    EXPECT_EQ(GameFolders::choose(environment()).data, fs::path(dir_.file("prefix/games")));
}

TEST_F(Machine, UserFolderFallsBackToHomeAndIgnoresRelativeValues) {
    GameFolders::Environment e = environment();
    EXPECT_EQ(GameFolders::choose(e).user, fs::path(dir_.file("home/.local/share/quillmere")));
    e.xdgDataHome = "relative/xdg";
    EXPECT_EQ(GameFolders::choose(e).user, fs::path(dir_.file("home/.local/share/quillmere")));
    e.home = "";
    EXPECT_TRUE(GameFolders::choose(e).user.empty());
    e.home = "relative-home";
    EXPECT_TRUE(GameFolders::choose(e).user.empty());
}

TEST_F(Machine, QuillmereHomeIsBothFoldersAndIsTakenFromTheWorkingFolder) {
    makeData("prefix/share/games/quillmere");
    GameFolders::Environment e = environment();
    e.xdgDataHome = dir_.file("xdg");
    e.quillmereHome = "tests-home";
    const GameFolders::Places places = GameFolders::choose(e);
    EXPECT_EQ(places.data, fs::path(dir_.file("work/tests-home")));
    EXPECT_EQ(places.user, places.data);
}

TEST_F(Entering, MakesTheUserFolderWorksInItAndReadsDataFromTheDataFolder) {
    const fs::path data = dir_.file("data-folder");
    const fs::path user = dir_.file("xdg/quillmere");
    {
        GameFolders folders;
        std::FILE* complaints = std::tmpfile();
        ASSERT_NE(complaints, nullptr);
        EXPECT_TRUE(folders.enter({data, user}, complaints));
        EXPECT_EQ(readAll(complaints), "");
        std::fclose(complaints);
        EXPECT_EQ(fs::current_path(), user);
        EXPECT_EQ(folders.workFolder(), user);
        EXPECT_TRUE(fs::is_directory(user / "data"));
        // A relative write lands with the player's files.
        std::ofstream("data/saved.dat") << "saved";
        EXPECT_EQ(TempDir::read((user / "data/saved.dat").string()), "saved");
        EXPECT_EQ(GameFolders::dataPath("wav/pop.wav"), (data / "wav/pop.wav").string());
        EXPECT_EQ(GameFolders::dataPath("/abs/file"), "/abs/file");
        EXPECT_EQ(GameFolders::dataPath(""), "");
    }
    // Done: names are names again.
    EXPECT_EQ(GameFolders::dataPath("wav/pop.wav"), "wav/pop.wav");
}

TEST_F(Entering, ExistingPlayersFilesAreKept) {
    const fs::path user = dir_.file("xdg/quillmere");
    dir_.write("xdg/quillmere/data/saved.dat", "older game");
    GameFolders folders;
    EXPECT_TRUE(folders.enter({dir_.file("data-folder"), user}, nullptr));
    EXPECT_EQ(TempDir::read((user / "data/saved.dat").string()), "older game");
}

TEST_F(Entering, AFolderThatCannotBeMadeIsToldOnceAndAStandInIsUsed) {
    dir_.write("plain-file", "x");
    const fs::path user = dir_.file("plain-file/quillmere");
    fs::path standIn;
    std::FILE* complaints = std::tmpfile();
    ASSERT_NE(complaints, nullptr);
    {
        GameFolders folders;
        EXPECT_FALSE(folders.enter({dir_.file("data-folder"), user}, complaints));
        standIn = folders.workFolder();
        ASSERT_FALSE(standIn.empty());
        EXPECT_EQ(fs::current_path(), standIn);
        EXPECT_NE(standIn.string().find(fs::temp_directory_path().string()), std::string::npos);
        // The game still writes its files somewhere for the run.
        EXPECT_TRUE(fs::is_directory(standIn / "data"));
        EXPECT_EQ(GameFolders::dataPath("data/data.pk"), dir_.file("data-folder/data/data.pk"));
    }
    const std::string told = readAll(complaints);
    std::fclose(complaints);
    EXPECT_NE(told.find(user.string()), std::string::npos) << told;
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
    EXPECT_FALSE(fs::exists(standIn));
}

TEST_F(Entering, NoHomeAtAllIsToldTooAndNothingLandsInTheWorkingFolder) {
    fs::create_directories(dir_.file("work"));
    fs::current_path(dir_.file("work"));
    std::FILE* complaints = std::tmpfile();
    ASSERT_NE(complaints, nullptr);
    {
        GameFolders folders;
        EXPECT_FALSE(folders.enter({dir_.file("data-folder"), fs::path()}, complaints));
        std::ofstream("game.log") << "log";
    }
    EXPECT_NE(readAll(complaints).find("no home folder"), std::string::npos);
    std::fclose(complaints);
    EXPECT_TRUE(fs::is_empty(dir_.file("work")));
}

TEST_F(Entering, ANewPlayersFolderTakesOverTheFilesOlderBuildsKeptBesideTheData) {
    dir_.write("data-folder/data/saved.dat", "old saved game");
    dir_.write("data-folder/data/dx.cfg", "old settings");
    dir_.write("data-folder/game.log", "old log");
    const fs::path user = dir_.file("xdg/quillmere");
    {
        GameFolders folders;
        EXPECT_TRUE(folders.enter({dir_.file("data-folder"), user}, nullptr));
    }
    EXPECT_EQ(TempDir::read((user / "data/saved.dat").string()), "old saved game");
    EXPECT_EQ(TempDir::read((user / "data/dx.cfg").string()), "old settings");
    EXPECT_FALSE(fs::exists(user / "data/top7.tbl"));
    EXPECT_FALSE(fs::exists(user / "game.log"));
    // Copies: the data folder keeps what it had.
    EXPECT_EQ(TempDir::read(dir_.file("data-folder/data/saved.dat")), "old saved game");

    // Once the player's folder is there, it alone counts.
    fs::remove(user / "data/saved.dat");
    GameFolders again;
    EXPECT_TRUE(again.enter({dir_.file("data-folder"), user}, nullptr));
    EXPECT_FALSE(fs::exists(user / "data/saved.dat"));
}
