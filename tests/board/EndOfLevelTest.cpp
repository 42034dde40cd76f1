#include "BoardTestSupport.h"

#include "board/Field.h"

#include <gtest/gtest.h>

using namespace boardtest;

namespace {

class EndOfLevel : public BoardTest {};

// A 9 by 9 board filled except for three half-filled cells on row 8.
std::unique_ptr<Field> almostDone(int rowLength = 3) {
    std::string map = uniformMap(9, 9, '2');
    for (int i = 0; i < rowLength; ++i) {
        map[map.size() - 5 + static_cast<std::size_t>(i)] = '1';
    }
    return bareField(level(5, 0, 0, 9, 9, map));
}

TEST_F(EndOfLevel, CompletedWithTimeAndChainBonus) {
    auto f = almostDone(4);
    f->setScore(5000); // carried from earlier levels
    for (int c = 0; c < 4; ++c) {
        FieldTestAccess::put(*f, 8, c, 2);
    }
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->isFinished(); }, 1000));
    EXPECT_TRUE(f->isComplete());
    EXPECT_EQ(f->state(), Field::State::LevelOver);
    EXPECT_EQ(f->chains(), 1);
    EXPECT_EQ(f->chainBonus(), 1250);
    EXPECT_EQ(f->score(), 5000 + 10 + 12 + 14 + 16);
    ASSERT_GT(f->timeOnLevel(), 0);
    EXPECT_EQ(f->timeBonus(),
              static_cast<int>(static_cast<double>(f->score()) / f->timeOnLevel() * 20000));
    // The time stops with the level; the summary fades in.
    int time = f->timeOnLevel();
    f->update(16.0f);
    f->update(16.0f);
    EXPECT_EQ(f->timeOnLevel(), time);
    EXPECT_GT(f->summaryAlpha(), 0.0f);
    // The ball of the line of four became a colour bomb, which stays on the
    // board: the level waits for the click.
    EXPECT_EQ(countBalls(*f), 1);
    int bombs = 0;
    for (int c = 0; c < 4; ++c) {
        bombs += f->ballColourAt(8, c) == Ball::ColourBomb ? 1 : 0;
    }
    EXPECT_EQ(bombs, 1);
    for (int i = 0; i < 200; ++i) {
        f->update(16.0f);
    }
    EXPECT_EQ(f->state(), Field::State::LevelOver);
    EXPECT_FLOAT_EQ(f->summaryAlpha(), 1.0f);
    // Selection is over.
    EXPECT_EQ(f->selectBall(0, 0), -1);
}

TEST_F(EndOfLevel, LevelFilledFromTheStartCompletesWithoutTimeBonus) {
    Field f(1, level(5, 0, 0, 9, 9, uniformMap(9, 9, '2')), 1);
    FieldTestAccess::clearNewCells(f);
    ASSERT_TRUE(runUntil(
        f, [&] { return f.state() != Field::State::Intro; }, 1000));
    EXPECT_TRUE(f.isFinished());
    EXPECT_TRUE(f.isComplete());
    EXPECT_EQ(f.timeOnLevel(), 0);
    EXPECT_EQ(f.timeBonus(), 0);
    EXPECT_EQ(f.state(), Field::State::LevelOver);
    // No ball on the board: back to play on the next update, without a click.
    f.update(16.0f);
    EXPECT_EQ(f.state(), Field::State::Play);
    EXPECT_TRUE(f.isFinished());
}

TEST_F(EndOfLevel, LostWhenTheBoardIsFullAndResting) {
    Field f(2, level(5, 100, 0, 9, 9, uniformMap(9, 9, '0')), 4);
    ASSERT_EQ(countBalls(f), 61);
    ASSERT_TRUE(runUntil(
        f, [&] { return f.isFinished(); }, 2000));
    EXPECT_FALSE(f.isComplete());
    EXPECT_EQ(f.state(), Field::State::LevelOver);
    EXPECT_EQ(f.timeBonus(), 0);
    EXPECT_EQ(f.chainBonus(), 0);
    // Every ball was idle when the test decided.
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            EXPECT_TRUE(f.ballAt(r, c)->isIdle());
        }
    }
    EXPECT_EQ(f.score(), 0);
}

TEST_F(EndOfLevel, NotLostWhileABallStillPops) {
    auto f = bareField(emptyLevel(3, 3));
    int colours[] = {1, 2, 1, 3, 4, 3, 2};
    int i = 0;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < f->width(r); ++c) {
            FieldTestAccess::put(*f, r, c, colours[i++]);
        }
    }
    f->ballAt(1, 1)->startPopping();
    f->ballAt(1, 1)->delay = 0.0f;
    f->update(16.0f);
    EXPECT_FALSE(f->isFinished());
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->isFinished(); }, 100));
    EXPECT_TRUE(f->ballAt(1, 1)->isIdle());
}

TEST_F(EndOfLevel, ClickClearsTheBoardInASweep) {
    Field f(2, level(5, 100, 0, 9, 9, uniformMap(9, 9, '0')), 4);
    ASSERT_TRUE(runUntil(
        f, [&] { return f.isFinished(); }, 2000));
    for (int i = 0; i < 5; ++i) {
        f.update(16.0f);
    }
    EXPECT_NEAR(f.summaryAlpha(), 0.2f, 1e-5);
    f.onClick(400, 300);
    EXPECT_TRUE(f.levelOverClicked());
    EXPECT_EQ(f.state(), Field::State::LevelOver);
    // Every ball explodes, bursting only when its sweep delay has run out.
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < f.width(r); ++c) {
            Ball* ball = f.ballAt(r, c);
            EXPECT_EQ(ball->state, Ball::State::Exploding);
            EXPECT_FALSE(ball->particlesSpawned);
            float delay = (f.centre(r, c).x - 40.0f + 1.0f) * 4.0f;
            EXPECT_FLOAT_EQ(ball->delay, delay);
            EXPECT_FLOAT_EQ(f.cellBackAt(r, c)->delay, delay);
            EXPECT_FLOAT_EQ(f.cellBackAt(r, c)->fadeStep, -0.05f);
        }
    }
    EXPECT_TRUE(layer().additiveParticles().empty());
    float summary = f.summaryAlpha();
    f.update(16.0f);
    EXPECT_LT(f.summaryAlpha(), summary);
    EXPECT_TRUE(f.ballAt(4, 0)->particlesSpawned); // delay 4 ms: already burst
    EXPECT_FALSE(f.ballAt(4, 8)->particlesSpawned);
    // A second click does nothing.
    f.onClick(400, 300);
    EXPECT_FLOAT_EQ(f.ballAt(4, 8)->alpha, 1.0f);
    // Exploded balls stay until the whole board is gone.
    int updates = 1;
    while (f.state() == Field::State::LevelOver && updates < 1000) {
        f.update(16.0f);
        ++updates;
        if (f.state() == Field::State::LevelOver) {
            EXPECT_NE(f.ballAt(4, 0), nullptr);
        }
    }
    EXPECT_EQ(f.state(), Field::State::Play);
    EXPECT_TRUE(f.isFinished());
    EXPECT_EQ(countBalls(f), 0);
    // The last ball starts fading after (360 - 40 + 1) * 4 ms and takes 200 ms more.
    EXPECT_GE(updates * 16, 1284 + 190);
    EXPECT_LE(updates * 16, 1284 + 240);
}

TEST_F(EndOfLevel, ClicksOutsideTheLevelOverAreIgnored) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 4, 1);
    f->onClick(100, 100);
    EXPECT_FALSE(f->levelOverClicked());
    EXPECT_EQ(f->ballAt(4, 4)->state, Ball::State::Idle);
}

TEST_F(EndOfLevel, BlastFinishingTheBoardEndsWithoutAClick) {
    // A small board that a blast covers entirely.
    auto f = bareField(emptyLevel(3, 3));
    FieldTestAccess::put(*f, 1, 0, Ball::BlastBall);
    FieldTestAccess::put(*f, 1, 1, 1);
    FieldTestAccess::put(*f, 1, 2, 1);
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->isFinished(); }, 1000));
    EXPECT_TRUE(f->isComplete());
    EXPECT_EQ(f->effectCount(), 0);
    EXPECT_EQ(countBalls(*f), 0);
    EXPECT_EQ(f->state(), Field::State::LevelOver);
    f->update(16.0f);
    EXPECT_EQ(f->state(), Field::State::Play);
    EXPECT_FALSE(f->levelOverClicked());
}

TEST_F(EndOfLevel, ArrivalAfterTheLevelEndedLandsNothing) {
    auto f = almostDone();
    for (int c = 0; c < 3; ++c) {
        FieldTestAccess::put(*f, 8, c, 2);
    }
    FieldTestAccess::put(*f, 0, 0, 3);
    FieldTestAccess::addNewCell(*f, 4, 4, 1);
    f->update(16.0f); // the line explodes
    ASSERT_EQ(f->ballAt(8, 0)->state, Ball::State::Exploding);
    // Exploding balls do not stop a selection: the player sends a ball off.
    ASSERT_EQ(f->selectBall(0, 0), 3);
    ASSERT_TRUE(f->moveSelectedTo(4, 8));
    Ball* moved = f->ballAt(4, 8);
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->isFinished(); }, 1000));
    EXPECT_EQ(moved->state, Ball::State::Moving);
    ASSERT_TRUE(runUntil(
        *f, [&] { return moved->state != Ball::State::Moving; }, 1000));
    EXPECT_EQ(f->state(), Field::State::LevelOver);
    EXPECT_EQ(f->newCells().size(), 1u);
    EXPECT_EQ(f->ballAt(4, 4), nullptr);
    // The summary is still there for the click.
    f->onClick(0, 0);
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->state() == Field::State::Play; }, 1000));
    EXPECT_TRUE(f->isComplete());
}

TEST_F(EndOfLevel, EmptyBoardReward) {
    std::string map = uniformMap(9, 9, '0');
    map[10] = '4';
    auto f = bareField(level(5, 0, 0, 9, 9, map));
    Cell locked = {1, 5}; // map index 10: row 0 has 5 positions
    ASSERT_EQ(f->cellBackAt(locked)->fill, CellBack::Fill::Locked);
    FieldTestAccess::put(*f, locked.row, locked.col, 2);
    FieldTestAccess::addNewCell(*f, 8, 0, 1);
    FieldTestAccess::addNewCell(*f, 8, 2, 3);
    f->setScore(100);
    f->update(16.0f);
    EXPECT_EQ(f->score(), 25100);
    EXPECT_EQ(f->scoreOnLevel(), 25000);
    EXPECT_EQ(f->ballsExploded(), 1);
    EXPECT_EQ(f->state(), Field::State::Landing);
    EXPECT_EQ(f->ballColourAt(8, 0), 1);
    EXPECT_EQ(f->ballColourAt(8, 2), 3);
    ASSERT_EQ(layer().texts().size(), 1u);
    EXPECT_EQ(layer().texts()[0].text, "25000");
    EXPECT_FLOAT_EQ(layer().texts()[0].size, 42.0f);
    EXPECT_FLOAT_EQ(layer().texts()[0].point.x, 400.0f);
    EXPECT_FLOAT_EQ(layer().texts()[0].point.y, 321.0f);
    // Once a ball stands on an ordinary cell there is no more reward.
    ASSERT_TRUE(runUntil(
        *f, [&] { return settled(*f); }, 100));
    f->update(16.0f);
    EXPECT_EQ(f->score(), 25100);
}

TEST_F(EndOfLevel, BoardOfLockedBallsIsNotRewardedOverAndOver) {
    auto f = bareField(level(5, 0, 0, 3, 3, uniformMap(3, 3, '4')));
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < f->width(r); ++c) {
            Ball* b = FieldTestAccess::put(*f, r, c, (r * 3 + c) % 4);
            b->startPopping();
            b->delay = 0.0f;
        }
    }
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->isFinished(); }, 100));
    EXPECT_FALSE(f->isComplete());
    EXPECT_EQ(f->score(), 0);
}

// Two islands of one row: the left one full, the right one empty. No ball
// can move, so the next balls drop on their own and the level goes on to
// its end instead of waiting forever.
TEST_F(EndOfLevel, ABoardWhereNoBallCanMoveDropsTheNextBalls) {
    auto f = bareField(level(5, 0, 0, 1, 5, "00.00"));
    ASSERT_FALSE(f->isCell(0, 2));
    FieldTestAccess::put(*f, 0, 0, 0);
    FieldTestAccess::put(*f, 0, 1, 1);
    ASSERT_TRUE(f->newCells().empty());
    f->update(16.0f);
    EXPECT_EQ(f->state(), Field::State::Landing);
    EXPECT_EQ(countBalls(*f), 4);
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->isFinished(); }, 1000));
    EXPECT_FALSE(f->isComplete());
    // Dropped, not rewarded.
    EXPECT_EQ(f->score(), 0);
}

TEST_F(EndOfLevel, ABallWithRoomToMoveKeepsTheNextBallsWaiting) {
    auto f = bareField(level(5, 0, 0, 1, 5, "00.00"));
    FieldTestAccess::put(*f, 0, 0, 0);
    FieldTestAccess::put(*f, 0, 3, 1);
    FieldTestAccess::addNewCell(*f, 0, 4, 2);
    for (int i = 0; i < 50; ++i) {
        f->update(16.0f);
    }
    EXPECT_EQ(f->state(), Field::State::Play);
    EXPECT_EQ(countBalls(*f), 2);
    EXPECT_EQ(f->newCells().size(), 1u);
}

// A walled-in free cell behind balls on locked cells is no way out either.
TEST_F(EndOfLevel, BallsOnLockedCellsAroundTheOnlyRoomDropTheNextBalls) {
    auto f = bareField(level(5, 0, 0, 1, 3, "040"));
    FieldTestAccess::put(*f, 0, 0, 0);
    FieldTestAccess::put(*f, 0, 1, 1);
    FieldTestAccess::addNewCell(*f, 0, 2, 2);
    f->update(16.0f);
    EXPECT_EQ(f->state(), Field::State::Landing);
    EXPECT_EQ(f->ballColourAt(0, 2), 2);
    EXPECT_EQ(f->score(), 0);
}

TEST_F(EndOfLevel, PlayTimeCountsOnlyInPlay) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 0, 0, 1);
    f->update(16.7f);
    f->update(16.7f);
    EXPECT_EQ(f->timeOnLevel(), 32);
    FieldTestAccess::setState(*f, Field::State::Landing);
    f->update(16.0f);
    EXPECT_EQ(f->timeOnLevel(), 32);
    EXPECT_EQ(f->idleMs(), 48);
}

} // namespace
