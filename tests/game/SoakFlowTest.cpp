// The soak's watch over the game flow, on real level ends of the game
// screen, and the soak's whole run.
#include "FlowWatch.h"
#include "GameTestSupport.h"
#include "Soak.h"

#include "ui/HighScores.h"

#include <string>
#include <vector>

namespace {

using LevelEnd = soak::FlowWatch::LevelEnd;

class SoakFlowTest : public GameTest {
protected:
    // Ends the level in play through the watch, which sees every update.
    LevelEnd endLevel(Game& g, soak::FlowWatch& watch, bool won) {
        Field* before = g.field();
        if (won)
            fillBacks(*before);
        else
            fillBoard(*before);
        LevelEnd end = LevelEnd::None;
        for (int i = 0; i < 20000 && end == LevelEnd::None; ++i) {
            if (before->state() == Field::State::LevelOver && !before->levelOverClicked()) {
                g.onLButtonDown(400, 300, 0);
                g.onLButtonUp(400, 300, 0);
            }
            g.update(16.0f);
            end = watch.afterUpdate(g, failures);
        }
        return end;
    }
    // Plays on until the field takes moves again, through the watch.
    void reachPlay(Game& g, soak::FlowWatch& watch) {
        for (int i = 0; i < 20000 && g.field()->state() != Field::State::Play; ++i) {
            g.update(16.0f);
            watch.afterUpdate(g, failures);
        }
    }

    HighScores scores{2};
    std::vector<std::string> failures;
};

TEST_F(SoakFlowTest, WonAndLostLevelsPassAndAreTold) {
    Game game(1, &scores);
    ASSERT_TRUE(waitForPlay(game));
    soak::FlowWatch watch(game);
    EXPECT_EQ(endLevel(game, watch, true), LevelEnd::Won);
    EXPECT_EQ(game.level(), 2);
    reachPlay(game, watch);
    EXPECT_EQ(endLevel(game, watch, false), LevelEnd::Lost);
    EXPECT_EQ(game.lives(), 2);
    EXPECT_EQ(failures, std::vector<std::string>{});
}

TEST_F(SoakFlowTest, TheFourthLossAndTheLastLevelEndTheGameAsTheyShould) {
    Game game(7, &scores);
    ASSERT_TRUE(waitForPlay(game));
    soak::FlowWatch watch(game);
    for (int loss = 0; loss < 4; ++loss) {
        reachPlay(game, watch);
        ASSERT_EQ(endLevel(game, watch, false), LevelEnd::Lost);
    }
    EXPECT_TRUE(game.isGameOver());

    Game last(100, &scores);
    ASSERT_TRUE(waitForPlay(last));
    soak::FlowWatch lastWatch(last);
    EXPECT_EQ(endLevel(last, lastWatch, true), LevelEnd::Won);
    EXPECT_TRUE(last.isGameOver());
    EXPECT_EQ(last.level(), 100);
    EXPECT_EQ(failures, std::vector<std::string>{});
}

TEST_F(SoakFlowTest, AScoreThatFallsOrGrowsPastTheLevelsPointsIsReported) {
    Game game(1, &scores);
    ASSERT_TRUE(waitForPlay(game));
    soak::FlowWatch watch(game);
    game.field()->setScore(500);
    game.update(16.0f);
    watch.afterUpdate(game, failures);
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find("beyond the level's own points"), std::string::npos) << failures[0];

    failures.clear();
    game.field()->setScore(100);
    game.update(16.0f);
    watch.afterUpdate(game, failures);
    ASSERT_FALSE(failures.empty());
    EXPECT_NE(failures[0].find("fell"), std::string::npos) << failures[0];
}

TEST_F(SoakFlowTest, AShortRunPassesAndASeedReplaysIt) {
    soak::Options options;
    options.levels = 2;
    options.seed = 5;
    const soak::Tally first = soak::run(options);
    EXPECT_EQ(first.failures, 0) << (first.firstFailures.empty() ? "" : first.firstFailures[0]);
    EXPECT_EQ(first.levels, 2);
    EXPECT_EQ(first.won + first.lost, 2);
    EXPECT_GE(first.saveChecks, 2);
    EXPECT_GT(first.moves, 0);

    const soak::Tally again = soak::run(options);
    EXPECT_EQ(again.updates, first.updates);
    EXPECT_EQ(again.moves, first.moves);
    EXPECT_EQ(again.saveChecks, first.saveChecks);
    EXPECT_EQ(again.won, first.won);
}

} // namespace
