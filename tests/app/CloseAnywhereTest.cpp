// However the player leaves (the desktop's close button or Alt+F4) and
// wherever they are (in a game, at the level choice, in the continue dialog),
// the program ends through its ordinary shutdown: exit code 0, the suspended
// game kept in the saved game, the log closed.
#include "LiveGame.h"
#include "TestSupport.h"
#include "game/MainMenu.h"
#include "persist/PropertyFile.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

enum class Place { InTheGame, AtTheLevelChoice, InTheContinueDialog };
enum class Closer { DesktopButton, AltF4 };

struct Leaving {
    Place place;
    Closer closer;
};

class CloseAnywhere : public ::testing::TestWithParam<Leaving> {
protected:
    void SetUp() override {
        REQUIRE_DISPLAY();
        home = tempPath("close_anywhere");
        std::filesystem::remove_all(home);
    }
    void TearDown() override { std::filesystem::remove_all(home); }

    // Escape to the menu with the game suspended, then New game: the
    // continue dialog opens over the menu.
    static void openTheContinueDialog(LiveGame& game) {
        game.key("Escape");
        const PropertyFile menu = game.layout(MainMenu::layoutName);
        const auto newGame = game.control(menu, "m_game_btn", "m_new_game_btn", 4);
        game.click(newGame.centreX(), newGame.centreY());
    }
    static void startAnew(LiveGame& game) {
        const PropertyFile dialog = game.layout("mui/continue_dlg.txt");
        const auto anew = game.control(dialog, "m_startnew_btn", "m_startnew_btn", 4);
        game.click(144 + anew.centreX(), 44 + anew.centreY());
    }

    PrivateDisplay display;
    std::string home;
};

TEST_P(CloseAnywhere, EndsThroughTheShutdownWithTheGameSaved) {
    const Leaving leaving = GetParam();
    LiveGame game(home);
    ASSERT_TRUE(game.start());
    game.newGameAtLevelOne();
    if (leaving.place != Place::InTheGame)
        openTheContinueDialog(game);
    if (leaving.place == Place::AtTheLevelChoice)
        startAnew(game);
    ASSERT_TRUE(game.isRunning());

    if (leaving.closer == Closer::AltF4)
        game.key("alt+F4");
    else
        ASSERT_TRUE(game.closeWindow());
    EXPECT_EQ(game.finish(), 0);

    // The suspended game survives: the level choice deletes it only when a
    // new game really starts.
    PropertyFile saved;
    ASSERT_TRUE(saved.loadFile(home + "/" + MainMenu::savedGamePath, true, MainMenu::savedGameKey,
                               MainMenu::savedGameKeyLength));
    EXPECT_EQ(saved.getInt("game.m_level", 0), 1);
    EXPECT_NE(saved.getString("field.field", ""), "");
    const std::string log = readFile(home + "/game.log");
    ASSERT_GE(log.size(), 12u);
    EXPECT_EQ(log.substr(log.size() - 12), "Closing Log\n");
}

const Leaving leavings[] = {
    {Place::InTheGame, Closer::DesktopButton},
    {Place::AtTheLevelChoice, Closer::DesktopButton},
    {Place::InTheContinueDialog, Closer::DesktopButton},
    {Place::InTheGame, Closer::AltF4},
    {Place::InTheContinueDialog, Closer::AltF4},
};

std::string leavingName(const ::testing::TestParamInfo<Leaving>& info) {
    static const char* places[] = {"InTheGame", "AtTheLevelChoice", "InTheContinueDialog"};
    return std::string(places[static_cast<int>(info.param.place)]) +
           (info.param.closer == Closer::AltF4 ? "ByAltF4" : "ByTheCloseButton");
}

INSTANTIATE_TEST_SUITE_P(Leavings, CloseAnywhere, ::testing::ValuesIn(leavings), leavingName);

} // namespace
