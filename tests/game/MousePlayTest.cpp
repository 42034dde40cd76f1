// Whole levels through the real game screen with the mouse alone: the hint
// page clicked away, balls moved by dragging and by two clicks, the summary
// clicked away, and the game moving on to the next level or the replay.
#include "GameTestSupport.h"

#include "board/BoardTestSupport.h"
#include "board/GreedyPlayer.h"
#include "support/FakeClock.h"
#include "ui/HighScores.h"

#include <cstdio>

namespace {

struct Outcome {
    bool ended = false;
    bool won = false;
    int moves = 0;
};

} // namespace

class MousePlay : public GameTest {
protected:
    void press(Game& g, Point p) {
        frame.mouse = {static_cast<int>(p.x), static_cast<int>(p.y)};
        g.onLButtonDown(frame.mouse.x, frame.mouse.y, 0);
    }
    void release(Game& g, Point p) {
        frame.mouse = {static_cast<int>(p.x), static_cast<int>(p.y)};
        g.onLButtonUp(frame.mouse.x, frame.mouse.y, 0);
    }
    void frames(Game& g, int n) {
        for (int i = 0; i < n; ++i) {
            g.update(16.0f);
        }
    }

    // One move by drag (even moves) or by two clicks (odd ones).
    void move(Game& g, Cell from, Cell to, int index) {
        Field& f = *g.field();
        const Point a = f.centre(from.row, from.col);
        const Point b = f.centre(to.row, to.col);
        press(g, a);
        ASSERT_TRUE(g.fieldController()->isHolding());
        if (index % 2 == 0) {
            frame.mouse = {static_cast<int>(b.x), static_cast<int>(b.y)};
            frames(g, 2);
            release(g, b);
        } else {
            release(g, a);
            ASSERT_TRUE(g.fieldController()->isHolding()) << "the release keeps the ball";
            frames(g, 2);
            press(g, b);
            release(g, b);
        }
        EXPECT_FALSE(g.fieldController()->isHolding());
        const Ball* left = f.ballAt(from.row, from.col);
        EXPECT_TRUE(left == nullptr || left->state == Ball::State::Moving);
    }

    // Plays the level in play to its end and clicks its summary away.
    Outcome playLevel(Game& g, GreedyPlayer& player) {
        Outcome outcome;
        const int level = g.level();
        const int lives = g.lives();
        bool clicked = false;
        int overFrames = 0;
        for (int update = 0; update < 300000; ++update) {
            Field& f = *g.field();
            if (clicked && !f.levelOverClicked()) {
                outcome.ended = true;
                outcome.won = g.level() == level + 1;
                EXPECT_EQ(g.lives(), outcome.won ? lives : lives - 1);
                return outcome;
            }
            if (f.state() == Field::State::LevelOver && !clicked && ++overFrames > 30) {
                press(g, {400, 300});
                release(g, {400, 300});
                clicked = true;
            }
            if (boardtest::settled(f) && !f.isFinished()) {
                Cell from{};
                Cell to{};
                if (!player.choose(f, from, to)) {
                    ADD_FAILURE() << "no move on a board that is neither won nor lost";
                    return outcome;
                }
                move(g, from, to, outcome.moves++);
                if (HasFatalFailure()) {
                    return outcome;
                }
            }
            g.update(16.0f);
        }
        ADD_FAILURE() << "the level never ended";
        return outcome;
    }

    FakeClock clock;
};

TEST_F(MousePlay, LevelsWonAndLostWithTheMouseAlone) {
    for (unsigned seed : {3u, 17u}) {
        SCOPED_TRACE(seed);
        clock.now = seed * 1000;
        Settings* settings = Settings::create();
        settings->hints = true;
        HighScores scores(2);
        Game game(1, &scores);
        ASSERT_TRUE(game.hasHintPage());
        frames(game, 30);
        press(game, {400, 300});
        release(game, {400, 300});
        ASSERT_TRUE(runUntil(
            game, [&] { return !game.hasHintPage(); }, 100));

        GreedyPlayer winner(seed);
        Outcome won;
        for (int attempt = 0; attempt < 3 && !won.won; ++attempt) {
            won = playLevel(game, winner);
            ASSERT_TRUE(won.ended);
        }
        EXPECT_TRUE(won.won) << "the greedy player wins level 1 within three tries";
        EXPECT_GT(won.moves, 5);
        EXPECT_EQ(game.level(), 2);

        GreedyPlayer loser(seed, true);
        const int lives = game.lives();
        const Outcome lost = playLevel(game, loser);
        ASSERT_TRUE(lost.ended);
        EXPECT_FALSE(lost.won);
        EXPECT_EQ(game.level(), 2) << "a lost level is played again";
        EXPECT_EQ(game.lives(), lives - 1);
        std::printf("seed %u: won after %d moves, lost after %d\n", seed, won.moves, lost.moves);
        Settings::destroy();
    }
}
