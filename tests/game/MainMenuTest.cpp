#include "game/MainMenu.h"
#include "audio/MusicPlaylist.h"
#include "board/Field.h"
#include "game/ContinueDialog.h"
#include "game/Game.h"
#include "game/LevelSelectWindow.h"
#include "persist/PropertyFile.h"
#include "platform/Shell.h"
#include "support/MenuFolder.h"
#include "support/MenuMusic.h"
#include "support/RecordingFrame.h"
#include "ui/Button.h"
#include "ui/HighScoreWindow.h"
#include "ui/HighScores.h"
#include "ui/OptionsWindow.h"
#include "ui/TrackBar.h"
#include "ui/UiResources.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class RecordingShell : public platform::Shell {
public:
    RecordingShell() { platform::setShell(this); }
    ~RecordingShell() override { platform::setShell(nullptr); }
    bool openUrl(const std::string& address) override {
        opened.push_back(address);
        return true;
    }
    std::vector<std::string> opened;
};

class MainMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder.write(MainMenu::layoutName,
                     "m_game_btn.x 350\nm_game_btn.y 100\nm_quit_game_btn.x 350\n"
                     "m_quit_game_btn.y 150\nm_help_btn.x 350\nm_help_btn.y 200\n"
                     "m_top_btn.x 350\nm_top_btn.y 250\nm_options_btn.x 350\n"
                     "m_options_btn.y 300\nm_qv_btn.x 350\nm_qv_btn.y 350\n");
        folder.write(LevelSelectWindow::layoutName, "m_ok_btn.x 600\nm_ok_btn.y 500\n");
        folder.write(ContinueDialog::layoutName,
                     "m_continuesaved_btn.x 50\nm_continuesaved_btn.y 300\n"
                     "m_startnew_btn.x 200\nm_startnew_btn.y 300\n"
                     "m_cancel_btn.x 350\nm_cancel_btn.y 300\n");
    }
    void openMenu() {
        menu = std::make_unique<MainMenu>();
        frame.pushWindow(menu.get());
    }
    static void press(Window& window, Button* button, int offsetX = 0, int offsetY = 0) {
        const int x = static_cast<int>(button->x()) + 5 + offsetX;
        const int y = static_cast<int>(button->y()) + 5 + offsetY;
        window.onMouseMove(x, y, 0);
        window.onLButtonDown(x, y, 0);
        window.onLButtonUp(x, y, 0);
    }
    // Closes the top screen the way the frame does at the next update.
    void closeTop() { frame.carryOutClose(); }
    // A new game from the level choice at a level reached.
    Game* startGameAt(int level) {
        press(*menu, menu->newGameButton());
        LevelSelectWindow* choice = menu->levelSelect();
        EXPECT_EQ(frame.top(), choice);
        choice->levelBar()->setValue(static_cast<float>(level - 1));
        press(*choice, choice->okButton());
        closeTop();
        return menu->game();
    }
    void pressOnDialog(Button* button) {
        ContinueDialog* dialog = menu->continueDialog();
        press(*dialog, button, 144, 44);
    }

    MenuFolder folder;
    RecordingFrame frame;
    std::unique_ptr<MainMenu> menu;
};

TEST_F(MainMenuTest, PlacesItsSixButtonsInOrder) {
    openMenu();
    const auto& widgets = menu->widgets();
    ASSERT_EQ(widgets.size(), 6u);
    EXPECT_EQ(widgets[0], menu->newGameButton());
    EXPECT_EQ(widgets[5], menu->siteButton());
    EXPECT_FLOAT_EQ(menu->topButton()->y(), 250.0f);
    EXPECT_TRUE(menu->isDraggable());
    frame.fullScreen = true;
    menu->activate();
    EXPECT_FALSE(menu->isDraggable());
}

TEST_F(MainMenuTest, NewGameWithoutASuspendedGameOpensTheLevelChoiceKeptForTheRun) {
    openMenu();
    press(*menu, menu->newGameButton());
    LevelSelectWindow* first = menu->levelSelect();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(frame.top(), first);
    EXPECT_EQ(frame.topDialog(), nullptr);
    first->levelBar()->setValue(2);
    first->onKeyDown(27);
    closeTop();
    EXPECT_EQ(menu->game(), nullptr);
    press(*menu, menu->newGameButton());
    EXPECT_EQ(menu->levelSelect(), first);
    EXPECT_EQ(first->selectedLevelIndex(), 2);
}

TEST_F(MainMenuTest, TheLevelChoiceStartsAGameAtTheChosenLevel) {
    openMenu();
    Game* game = startGameAt(2);
    ASSERT_NE(game, nullptr);
    EXPECT_EQ(game->level(), 2);
    EXPECT_EQ(frame.top(), game);
}

TEST_F(MainMenuTest, ASuspendedGameIsOfferedWithItsOwnLevelAndScore) {
    openMenu();
    Game* game = startGameAt(3);
    ASSERT_NE(game, nullptr);
    game->field()->setScore(4321);
    closeTop();
    ASSERT_EQ(menu->game(), game);

    press(*menu, menu->newGameButton());
    ContinueDialog* dialog = menu->continueDialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(frame.topDialog(), dialog);
    EXPECT_EQ(dialog->level(), 3);
    EXPECT_EQ(dialog->score(), 4321);
    EXPECT_FLOAT_EQ(dialog->x(), 144.0f);
    EXPECT_EQ(dialog->panelWidth(), 512);
}

TEST_F(MainMenuTest, CancellingTheQuestionKeepsTheGameAndContinuingResumesIt) {
    openMenu();
    Game* game = startGameAt(1);
    closeTop();
    press(*menu, menu->newGameButton());
    pressOnDialog(menu->continueDialog()->cancelButton());
    closeTop();
    EXPECT_EQ(menu->continueDialog(), nullptr);
    EXPECT_EQ(menu->game(), game);
    EXPECT_EQ(frame.top(), menu.get());

    press(*menu, menu->newGameButton());
    menu->continueDialog()->onKeyDown(27);
    closeTop();
    EXPECT_EQ(menu->game(), game);
    EXPECT_EQ(frame.top(), menu.get());

    press(*menu, menu->newGameButton());
    pressOnDialog(menu->continueDialog()->continueButton());
    closeTop();
    EXPECT_EQ(frame.top(), game);
    EXPECT_EQ(menu->game(), game);
}

TEST_F(MainMenuTest, ANewGameOverASuspendedOneReplacesIt) {
    openMenu();
    startGameAt(3);
    closeTop();
    press(*menu, menu->newGameButton());
    pressOnDialog(menu->continueDialog()->newButton());
    closeTop();
    LevelSelectWindow* choice = menu->levelSelect();
    ASSERT_EQ(frame.top(), choice);
    choice->levelBar()->setValue(0);
    press(*choice, choice->okButton());
    closeTop();
    ASSERT_NE(menu->game(), nullptr);
    EXPECT_EQ(menu->game()->level(), 1);
    EXPECT_EQ(frame.top(), menu->game());
}

TEST_F(MainMenuTest, ReturningFromAGameRestartsTheMenuMusicButNotFromTheOptions) {
    MenuMusic music(*folder.settings);
    openMenu();
    ASSERT_TRUE(MusicPlaylist::instance()->isPlaying());
    ASSERT_EQ(music.reads.size(), 1u);
    EXPECT_EQ(music.reads[0], "music/menu.xm");

    press(*menu, menu->optionsButton());
    ASSERT_NE(menu->optionsScreen(), nullptr);
    closeTop();
    EXPECT_EQ(menu->optionsScreen(), nullptr);
    EXPECT_EQ(music.reads.size(), 1u);

    startGameAt(1);
    MusicPlaylist::instance()->setPlaylist({"music/game01.xm"});
    MusicPlaylist::instance()->playNext();
    closeTop();
    ASSERT_GE(music.reads.size(), 3u);
    EXPECT_EQ(music.reads.back(), "music/menu.xm");
    EXPECT_TRUE(MusicPlaylist::instance()->isPlaying());
    EXPECT_EQ(MusicPlaylist::instance()->files(), std::vector<std::string>{"music/menu.xm"});
}

TEST_F(MainMenuTest, EscapeEndsTheProgramAndEnterMinimisesItWithoutMusic) {
    MenuMusic music(*folder.settings);
    openMenu();
    menu->onKeyDown(27);
    EXPECT_EQ(frame.count("close"), 1);
    frame.fullScreen = true;
    menu->onKeyDown(13);
    EXPECT_FALSE(MusicPlaylist::instance()->isPlaying());
    ASSERT_GE(frame.events.size(), 2u);
    EXPECT_EQ(frame.events[frame.events.size() - 2], "leaveFullScreen");
    EXPECT_EQ(frame.events.back(), "minimize");
    EXPECT_TRUE(menu->isDraggable());
}

TEST_F(MainMenuTest, TheSiteButtonMinimisesAndOpensTheAddress) {
    MenuMusic music(*folder.settings);
    RecordingShell shell;
    openMenu();
    press(*menu, menu->siteButton());
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], UiResources::siteAddress);
    EXPECT_EQ(frame.count("minimize"), 1);
    EXPECT_FALSE(MusicPlaylist::instance()->isPlaying());
}

TEST_F(MainMenuTest, TheHighScoreScreenOpensOverTheMenusTable) {
    openMenu();
    press(*menu, menu->topButton());
    ASSERT_NE(menu->topScreen(), nullptr);
    EXPECT_EQ(menu->topScreen()->table(), &menu->highScores());
    EXPECT_EQ(frame.top(), menu->topScreen());
    menu->topScreen()->onKeyDown(27);
    closeTop();
    EXPECT_EQ(menu->topScreen(), nullptr);
}

TEST_F(MainMenuTest, NoSavedGameOrOneWithoutAGameOffersNothing) {
    openMenu();
    menu->loadSavedGame();
    EXPECT_EQ(menu->game(), nullptr);
    menu->writeSavedGame();
    PropertyFile written;
    ASSERT_TRUE(written.loadFile(MainMenu::savedGamePath, true, MainMenu::savedGameKey,
                                 MainMenu::savedGameKeyLength));
    EXPECT_EQ(written.getString("menudata.gamename", ""), "vorbel game");
    EXPECT_FALSE(written.has("game.m_level"));
    menu->loadSavedGame();
    EXPECT_EQ(menu->game(), nullptr);
    // Nonsense that is not even scrambled is no game either.
    folder.write(MainMenu::savedGamePath, "game.m_level 5");
    menu->loadSavedGame();
    EXPECT_EQ(menu->game(), nullptr);
}

TEST_F(MainMenuTest, TheSavedGameComesBackWithItsLevelScoreAndBoard) {
    openMenu();
    Game* game = startGameAt(2);
    game->field()->setScore(777);
    closeTop();
    PropertyFile before;
    ASSERT_TRUE(game->saveState(before));
    menu->writeSavedGame();
    menu.reset();

    openMenu();
    menu->loadSavedGame();
    ASSERT_NE(menu->game(), nullptr);
    EXPECT_EQ(menu->game()->level(), 2);
    EXPECT_EQ(menu->game()->score(), 777);
    PropertyFile after;
    ASSERT_TRUE(menu->game()->saveState(after));
    EXPECT_EQ(after.text(), before.text());
}

TEST_F(MainMenuTest, TheHighScoresTravelThroughTheirFileWithTheSecondCategory) {
    {
        HighScores scores(2);
        scores.add(1, 50, "Other");
        ASSERT_TRUE(scores.saveFile());
    }
    openMenu();
    EXPECT_EQ(menu->highScores().getName(1, 0), "Other");
    menu->highScores().add(0, 10, "Ann");
    menu.reset();
    HighScores back(2);
    ASSERT_TRUE(back.loadFile());
    EXPECT_EQ(back.getName(0, 0), "Ann");
    EXPECT_EQ(back.getPoints(1, 0), 50);
}

} // namespace
