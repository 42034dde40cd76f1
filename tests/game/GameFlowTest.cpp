#include "GameTestSupport.h"

#include "game/EnterNameDialog.h"
#include "game/HintPage.h"
#include "persist/PropertyFile.h"
#include "ui/Button.h"
#include "ui/EditBox.h"
#include "ui/HighScores.h"

#include <algorithm>

namespace {

// A table nobody enters with the points of one level.
HighScores fullTable() {
    HighScores table(2);
    for (int i = 0; i < HighScores::entryCount; ++i) {
        table.add(0, 2000000000 + i, "Best");
    }
    return table;
}

} // namespace

using GameFlow = GameTest;

TEST_F(GameFlow, FourthLostLevelEndsTheGameWithNoLivesShown) {
    HighScores scores(2);
    Game game(4, &scores);
    for (int lost = 1; lost <= 3; ++lost) {
        ASSERT_TRUE(finishLevel(game, false)) << lost;
        EXPECT_EQ(game.lives(), 3 - lost);
        EXPECT_EQ(game.level(), 4) << "a lost level is played again";
        EXPECT_FALSE(game.isGameOver());
    }
    EXPECT_EQ(frame.closes, 0);
    ASSERT_TRUE(finishLevel(game, false));
    EXPECT_TRUE(game.isGameOver());
    EXPECT_EQ(game.livesShown(), 0);
    EXPECT_LT(game.lives(), 0);
    // A score of 0 does not enter the table: straight back to the menu.
    EXPECT_TRUE(frame.dialogs.empty());
    EXPECT_EQ(frame.closes, 1);
    EXPECT_FALSE(game.isNameStored());
}

TEST_F(GameFlow, WonLevelCarriesTheScoreAndKeepsTheLives) {
    HighScores scores(2);
    Game game(1, &scores);
    ASSERT_TRUE(waitForPlay(game));
    game.field()->setScore(500);
    ASSERT_TRUE(finishLevel(game, true));
    EXPECT_EQ(game.level(), 2);
    EXPECT_EQ(game.lives(), 3);
    EXPECT_GE(game.totalScore(), 500);
    EXPECT_EQ(game.score(), game.totalScore());
    EXPECT_FALSE(game.isGameOver());
    // A lost level replays with the score reached so far.
    const int carried = game.score();
    ASSERT_TRUE(finishLevel(game, false));
    EXPECT_EQ(game.level(), 2);
    EXPECT_EQ(game.score(), carried);
}

TEST_F(GameFlow, WinningTheLastLevelEndsTheGameAndAsksForTheName) {
    HighScores scores(2);
    Game game(100, &scores);
    ASSERT_TRUE(waitForPlay(game));
    game.field()->setScore(1200);
    ASSERT_TRUE(finishLevel(game, true));
    EXPECT_TRUE(game.isGameOver());
    EXPECT_EQ(game.level(), 100) << "the board is built again at the last level";
    ASSERT_EQ(frame.dialogs.size(), 1u);
    ASSERT_EQ(frame.dialogs[0], game.enterNameDialog());
    EXPECT_EQ(frame.closes, 0);
    // Nobody typed anything.
    game.onDialogClosed(0, game.enterNameDialog());
    EXPECT_EQ(game.enterNameDialog(), nullptr);
    EXPECT_TRUE(game.isNameStored());
    EXPECT_EQ(frame.closes, 1);
    EXPECT_EQ(scores.getName(0, 0), "Nemo");
    EXPECT_EQ(scores.getPoints(0, 0), game.totalScore());
    EXPECT_GE(scores.getPoints(0, 0), 1200);
}

TEST_F(GameFlow, TypedNameIsStoredAfterTheLastLife) {
    HighScores scores(2);
    Game game(3, &scores);
    for (int lost = 0; lost < 4; ++lost) {
        ASSERT_TRUE(waitForPlay(game));
        game.field()->setScore(300);
        ASSERT_TRUE(finishLevel(game, false));
    }
    ASSERT_TRUE(game.isGameOver());
    ASSERT_NE(game.enterNameDialog(), nullptr);
    game.enterNameDialog()->nameBox()->setText("Ada");
    game.onDialogClosed(1, game.enterNameDialog());
    EXPECT_EQ(scores.getName(0, 0), "Ada");
    EXPECT_EQ(scores.getPoints(0, 0), 300);
    EXPECT_EQ(scores.getName(0, 1), "Nemo");
}

TEST_F(GameFlow, ScoreTheTableRefusesEndsWithoutTheNameDialog) {
    HighScores scores = fullTable();
    Game game(100, &scores);
    ASSERT_TRUE(waitForPlay(game));
    game.field()->setScore(999);
    ASSERT_TRUE(finishLevel(game, true));
    EXPECT_TRUE(game.isGameOver());
    EXPECT_TRUE(frame.dialogs.empty());
    EXPECT_EQ(game.enterNameDialog(), nullptr);
    EXPECT_EQ(frame.closes, 1);
    EXPECT_FALSE(game.isNameStored());
}

TEST_F(GameFlow, HintPageHoldsTheFieldAndHidesTheMenuButton) {
    Settings::create()->hints = true;
    Settings::instance()->firstRun = false;
    HighScores scores(2);
    Game game(1, &scores);
    ASSERT_TRUE(game.hasHintPage());
    for (int i = 0; i < 200; ++i) {
        game.update(16.0f);
    }
    EXPECT_EQ(game.field()->state(), Field::State::Intro) << "the field must not advance";
    EXPECT_FALSE(game.mainMenuButton()->isVisible());
    // A press anywhere on the board selects nothing and makes no sound ...
    sounds.clear();
    for (int r = 0; r < game.field()->rows(); ++r) {
        for (int c = 0; c < game.field()->width(r); ++c) {
            if (game.field()->ballAt(r, c) != nullptr) {
                const Point p = game.field()->centre(r, c);
                game.onLButtonDown(int(p.x), int(p.y), 0);
                game.onLButtonUp(int(p.x), int(p.y), 0);
                EXPECT_FALSE(game.field()->isSelectedAt(r, c));
            }
        }
    }
    EXPECT_TRUE(sounds.empty());
    EXPECT_FALSE(game.fieldController()->isHolding());
    // ... but it started the page's fade-out: 600 ms later the game runs.
    ASSERT_TRUE(game.hintPages()[0]->isClosing());
    ASSERT_TRUE(runUntil(
        game, [&] { return !game.hasHintPage(); }, 60));
    EXPECT_TRUE(game.mainMenuButton()->isVisible());
    EXPECT_TRUE(waitForPlay(game));
}

TEST_F(GameFlow, HintPageOnlyWithHintsOnOrOnTheFirstRun) {
    HighScores scores(2);
    Settings* settings = Settings::create();
    settings->hints = false;
    settings->firstRun = false;
    EXPECT_FALSE(Game(1, &scores).hasHintPage());
    settings->firstRun = true;
    EXPECT_TRUE(Game(1, &scores).hasHintPage());
    settings->firstRun = false;
    settings->hints = true;
    EXPECT_TRUE(Game(1, &scores).hasHintPage());
}

TEST_F(GameFlow, MusicShufflesTheRotationAndMovesOnAfterAWonLevel) {
    HighScores scores(2);
    Game game(1, &scores);
    game.activate();
    const std::vector<std::string> order = MusicPlaylist::instance()->files();
    std::vector<std::string> sorted = order;
    std::vector<std::string> rotation = Game::musicRotation();
    std::sort(sorted.begin(), sorted.end());
    std::sort(rotation.begin(), rotation.end());
    EXPECT_EQ(sorted, rotation);
    ASSERT_EQ(tunes.size(), 1u);
    EXPECT_EQ(tunes[0], order[0]);
    ASSERT_TRUE(finishLevel(game, false));
    EXPECT_EQ(tunes.size(), 1u) << "a lost level keeps the tune";
    ASSERT_TRUE(finishLevel(game, true));
    ASSERT_EQ(tunes.size(), 2u);
    EXPECT_EQ(tunes[1], order[1]);
}

TEST_F(GameFlow, ShuffleOrderDependsOnTheRandomSequence) {
    HighScores scores(2);
    Game game(1, &scores);
    std::vector<std::vector<std::string>> orders;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        Random::seed(seed);
        game.activate();
        orders.push_back(MusicPlaylist::instance()->files());
    }
    std::sort(orders.begin(), orders.end());
    EXPECT_GT(std::unique(orders.begin(), orders.end()) - orders.begin(), 1);
}

TEST_F(GameFlow, SavedGameLoadsBackLevelLivesAndBoard) {
    HighScores scores(2);
    Game game(6, &scores);
    ASSERT_TRUE(finishLevel(game, false));
    ASSERT_TRUE(waitForPlay(game));
    PropertyFile props;
    ASSERT_TRUE(game.saveState(props));
    EXPECT_EQ(props.getInt("game.m_level", 0), 6);
    EXPECT_EQ(props.getInt("game.m_lives", 0), 2);

    Game loaded(1, &scores);
    ASSERT_TRUE(loaded.loadState(props));
    EXPECT_EQ(loaded.level(), 6);
    EXPECT_EQ(loaded.lives(), 2);
    EXPECT_EQ(loaded.score(), game.score());
    const Field& a = *game.field();
    const Field& b = *loaded.field();
    ASSERT_EQ(a.rows(), b.rows());
    int balls = 0;
    for (int r = 0; r < a.rows(); ++r) {
        for (int c = 0; c < a.width(r); ++c) {
            EXPECT_EQ(a.ballColourAt(r, c), b.ballColourAt(r, c)) << r << "," << c;
            balls += a.ballAt(r, c) != nullptr;
            if (a.cellBackAt(r, c) != nullptr) {
                EXPECT_EQ(a.cellBackAt(r, c)->fill, b.cellBackAt(r, c)->fill);
            }
        }
    }
    EXPECT_GT(balls, 0);
}

TEST_F(GameFlow, SavedGameOutsideTheLevelsIsRefused) {
    HighScores scores(2);
    Game game(1, &scores);
    Field* before = game.field();
    for (const char* level : {"0", "101", "-1", "junk", "1000000"}) {
        PropertyFile props;
        props.setString("game.m_level", level);
        props.setInt("game.m_lives", 1);
        EXPECT_FALSE(game.loadState(props)) << level;
        EXPECT_EQ(game.field(), before) << level;
        EXPECT_EQ(game.lives(), 3) << level;
    }
    PropertyFile none;
    EXPECT_FALSE(game.loadState(none));
    EXPECT_EQ(game.level(), 1);
}

TEST_F(GameFlow, ADamagedLivesCountIsBroughtIntoRange) {
    HighScores scores(2);
    Game saved(3, &scores);
    PropertyFile props;
    ASSERT_TRUE(saved.saveState(props));
    const struct {
        const char* stored;
        int lives;
    } cases[] = {
        {"-4", -1}, {"-1", -1}, {"99", 3}, {"2", 2}, {"junk", 3}}; // unreadable: as if missing
    for (const auto& c : cases) {
        props.setString("game.m_lives", c.stored);
        Game game(1, &scores);
        ASSERT_TRUE(game.loadState(props)) << c.stored;
        EXPECT_EQ(game.lives(), c.lives) << c.stored;
    }
}

TEST_F(GameFlow, EscapeAndTheMenuButtonSuspendTheGame) {
    HighScores scores(2);
    Game game(1, &scores);
    game.onKeyDown(27);
    EXPECT_EQ(frame.closes, 1);
    game.onCommand(game.mainMenuButton());
    EXPECT_EQ(frame.closes, 2);
    EXPECT_FALSE(game.isGameOver());
    game.onCloseRequest();
    EXPECT_EQ(frame.closeMessages, 1);
}
