// The installed game as a player meets it: the real executable in a fresh
// game folder, driven with real X input, checked from outside through the
// screen and through the files it leaves, read with the game's own readers.
#include "LiveGame.h"
#include "TestSupport.h"
#include "board/Field.h"
#include "game/MainMenu.h"
#include "persist/PackFormat.h"
#include "persist/PropertyFile.h"
#include "persist/ResourceManager.h"
#include "persist/Settings.h"
#include "ui/HighScores.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>

namespace {

int distance(const LiveGame::Rgb& a, const LiveGame::Rgb& b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

PropertyFile savedGame(const std::string& home) {
    PropertyFile store;
    store.loadFile(home + "/" + MainMenu::savedGamePath, true, MainMenu::savedGameKey,
                   MainMenu::savedGameKeyLength);
    return store;
}

class PlayThrough : public ::testing::Test {
protected:
    void SetUp() override {
        REQUIRE_DISPLAY();
        home = tempPath("playthrough");
        std::filesystem::remove_all(home);
    }
    void TearDown() override { std::filesystem::remove_all(home); }

    // Through the continue dialog back into the suspended game.
    static void continueTheGame(LiveGame& game) {
        const PropertyFile menu = game.layout(MainMenu::layoutName);
        const auto newGame = game.control(menu, "m_game_btn", "m_new_game_btn", 4);
        game.click(newGame.centreX(), newGame.centreY());
        const PropertyFile dialog = game.layout("mui/continue_dlg.txt");
        const auto resume = game.control(dialog, "m_continuesaved_btn", "m_continuesaved_btn", 4);
        game.click(144 + resume.centreX(), 44 + resume.centreY());
        LiveGame::settle(1500);
    }
    static void quitFromTheGame(LiveGame& game) {
        game.key("Escape");
        const PropertyFile menu = game.layout(MainMenu::layoutName);
        const auto quit = game.control(menu, "m_quit_game_btn", "m_quit_game_btn", 4);
        game.click(quit.centreX(), quit.centreY());
    }

    PrivateDisplay display;
    std::string home;
};

TEST_F(PlayThrough, AFirstRunThroughTheMenusIntoAGameIsRememberedAtTheNext) {
    LiveGame game(home);
    ASSERT_TRUE(game.start());
    const PropertyFile menu = game.layout(MainMenu::layoutName);

    // The main menu is up and live: its button lights under the pointer.
    const auto newGame = game.control(menu, "m_game_btn", "m_new_game_btn", 4);
    game.moveTo(5, 5);
    const LiveGame::Rgb idle = game.colourAt(newGame.x + 12, newGame.centreY());
    game.moveTo(newGame.centreX(), newGame.centreY());
    const LiveGame::Rgb lit = game.colourAt(newGame.x + 12, newGame.centreY());
    EXPECT_GT(distance(idle, lit), 12);

    // Options: the dragons off, the volume dragged down to about a quarter.
    const auto options = game.control(menu, "m_options_btn", "m_options_btn", 4);
    game.click(options.centreX(), options.centreY());
    const PropertyFile optionsLayout = game.layout("mui/options_wnd.txt");
    const auto dragons = game.control(optionsLayout, "m_dragons_cb", "m_check_box", 4);
    game.click(dragons.centreX(), dragons.centreY());
    const auto track =
        game.control(optionsLayout, "m_musik_volume_track_bar", "m_music_track_bar", 1);
    const float halfThumb = track.width / 2;
    game.press(track.x + 40.0f / 64 * 204 + halfThumb, track.centreY());
    game.moveTo(track.x + 100.0f, track.centreY());
    game.release(track.x + 16.0f / 64 * 204 + halfThumb, track.centreY());
    const auto back = game.control(optionsLayout, "m_close_btn", "m_back_btn", 4);
    game.click(back.centreX(), back.centreY());

    // The level choice: level 4 is locked with the padlock, and its start
    // button does nothing; level 1 starts.
    game.click(newGame.centreX(), newGame.centreY());
    const PropertyFile choice = game.layout("mui/custom_wnd.txt");
    const auto next = game.control(choice, "m_next_btn", "m_help_next_btn", 4);
    const auto prev = game.control(choice, "m_prev_btn", "m_help_prev_btn", 4);
    const auto start = game.control(choice, "m_ok_btn", "m_start_btn", 4);
    const LiveGame::Spot lock = game.picture("mui/locked.tga", 446, 210);
    const LiveGame::Rgb lockColour = game.pictureColour("mui/locked.tga");
    const LiveGame::Rgb open = game.colourAt(lock.centreX(), lock.centreY());
    for (int i = 0; i < 3; ++i)
        game.click(next.centreX(), next.centreY());
    const LiveGame::Rgb locked = game.colourAt(lock.centreX(), lock.centreY());
    EXPECT_LT(distance(locked, lockColour), distance(open, lockColour));
    game.click(start.centreX(), start.centreY());
    // Still the level choice, still locked.
    EXPECT_LT(distance(game.colourAt(lock.centreX(), lock.centreY()), locked), 30);
    for (int i = 0; i < 3; ++i)
        game.click(prev.centreX(), prev.centreY());
    game.click(start.centreX(), start.centreY());
    LiveGame::settle(1000);

    // The first game shows its hint page once: clicked away. Then back to
    // the menu with the game suspended, and out.
    game.click(400, 300);
    quitFromTheGame(game);
    EXPECT_EQ(game.finish(), 0);

    Settings* settings = Settings::create();
    ASSERT_TRUE(settings->load(home + "/" + Settings::defaultPath));
    EXPECT_FALSE(settings->showDragons);
    EXPECT_NEAR(settings->musicVolume, 16, 1);
    EXPECT_TRUE(settings->fullScreen);
    Settings::destroy();
    const PropertyFile saved = savedGame(home);
    EXPECT_EQ(saved.getInt("game.m_level", 0), 1);
    HighScores scores(2);
    EXPECT_TRUE(scores.loadFile(home + "/" + HighScores::defaultPath));
    EXPECT_EQ(scores.getName(1, 6), "Nemo");

    // The second start offers that game; continuing it gives the same board.
    LiveGame again(home);
    ASSERT_TRUE(again.start());
    continueTheGame(again);
    quitFromTheGame(again);
    EXPECT_EQ(again.finish(), 0);
    const PropertyFile resumed = savedGame(home);
    EXPECT_EQ(resumed.getString("field.field", "x"), saved.getString("field.field", "y"));
    EXPECT_EQ(resumed.getInt("field.score", -1), saved.getInt("field.score", -2));
    EXPECT_EQ(resumed.getInt("game.m_level", 0), 1);
}

TEST_F(PlayThrough, AMovedBallIsInTheSavedGameAtTheNextStart) {
    // A first run leaves a game at level 1 to play.
    {
        LiveGame first(home);
        ASSERT_TRUE(first.start());
        first.newGameAtLevelOne();
        quitFromTheGame(first);
        ASSERT_EQ(first.finish(), 0);
    }
    const PropertyFile before = savedGame(home);
    ASSERT_EQ(before.getInt("game.m_level", 0), 1);

    // The board of the saved game, read back into a field as the game does.
    ResourceManager* pack = ResourceManager::create("main");
    pack->setPassword(PackFormat::gamePassword);
    pack->open(home + "/data/data.pk");
    int fromRow = -1, fromCol = -1, toRow = -1, toCol = -1;
    Point from{}, to{};
    {
        Field field(1);
        ASSERT_TRUE(field.load(before));
        std::vector<Cell> path;
        for (int r = 0; r < field.rows() && toRow < 0; ++r)
            for (int c = 0; c < field.width(r) && toRow < 0; ++c)
                if (field.ballAt(r, c))
                    for (int r2 = 0; r2 < field.rows() && toRow < 0; ++r2)
                        for (int c2 = 0; c2 < field.width(r2) && toRow < 0; ++c2)
                            if (!field.ballAt(r2, c2) && field.findPath(r, c, r2, c2, path)) {
                                fromRow = r, fromCol = c, toRow = r2, toCol = c2;
                            }
        ASSERT_GE(toRow, 0);
        from = field.centre(fromRow, fromCol);
        to = field.centre(toRow, toCol);
    }
    ResourceManager::destroy("main");

    LiveGame game(home);
    ASSERT_TRUE(game.start());
    continueTheGame(game);
    game.click(static_cast<float>(from.x), static_cast<float>(from.y));
    game.click(static_cast<float>(to.x), static_cast<float>(to.y));
    LiveGame::settle(2500);
    quitFromTheGame(game);
    EXPECT_EQ(game.finish(), 0);
    const PropertyFile after = savedGame(home);
    EXPECT_EQ(after.getInt("game.m_level", 0), 1);
    EXPECT_NE(after.getString("field.field", ""), before.getString("field.field", ""));
}

} // namespace
