#include "BoardTestSupport.h"

#include "board/Blast.h"
#include "board/ColourBomb.h"
#include "board/Field.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

#include <set>

using namespace boardtest;

namespace {

class Lines : public BoardTest {
protected:
    // The scores put on the effect layer since the last call, in order.
    std::vector<int> newScores() {
        std::vector<int> scores;
        const auto& texts = layer().texts();
        for (std::size_t i = seenTexts; i < texts.size(); ++i) {
            if (texts[i].text != "CELL LOCKED") {
                scores.push_back(std::stoi(texts[i].text));
            }
        }
        seenTexts = texts.size();
        return scores;
    }
    std::size_t seenTexts = 0;
};

TEST_F(Lines, FallingDiagonalScoresTenTwelveFourteen) {
    auto f = bareField(emptyLevel());
    for (Cell p : {Cell{2, 2}, Cell{3, 3}, Cell{4, 4}}) {
        FieldTestAccess::put(*f, p.row, p.col, 1);
    }
    FieldTestAccess::put(*f, 5, 4, 2); // next on the diagonal, another colour
    f->update(16.0f);
    for (Cell p : {Cell{2, 2}, Cell{3, 3}, Cell{4, 4}}) {
        EXPECT_EQ(f->ballAt(p)->state, Ball::State::Exploding);
        EXPECT_TRUE(f->ballAt(p)->particlesSpawned);
    }
    EXPECT_EQ(f->ballAt(5, 4)->state, Ball::State::Idle);
    EXPECT_EQ(newScores(), (std::vector<int>{10, 12, 14}));
    EXPECT_EQ(f->score(), 36);
    EXPECT_EQ(f->scoreOnLevel(), 36);
    EXPECT_EQ(f->ballsExploded(), 3);
    EXPECT_EQ(f->chains(), 0);
    EXPECT_EQ(layer().additiveParticles().size(), 75u); // a burst of 25 per ball
}

TEST_F(Lines, HorizontalAndRisingLines) {
    auto f = bareField(emptyLevel());
    for (int c = 2; c < 5; ++c) {
        FieldTestAccess::put(*f, 6, c, 3);
    }
    // Rising: (4, 2) -> up-right (3, 2) -> (2, 2).
    for (Cell p : {Cell{4, 2}, Cell{3, 2}, Cell{2, 2}}) {
        FieldTestAccess::put(*f, p.row, p.col, 0);
    }
    FieldTestAccess::put(*f, 4, 6, 0); // alone
    f->update(16.0f);
    // Horizontal lines first, then the rising one.
    EXPECT_EQ(newScores(), (std::vector<int>{10, 12, 14, 16, 18, 20}));
    EXPECT_EQ(f->ballAt(4, 6)->state, Ball::State::Idle);
    EXPECT_EQ(f->chains(), 1); // six entries in one update
}

TEST_F(Lines, JokersMatchButDoNotBridgeTwoColours) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 0, 1);
    FieldTestAccess::put(*f, 4, 1, Ball::Joker);
    FieldTestAccess::put(*f, 4, 2, 2);
    f->update(16.0f);
    EXPECT_TRUE(newScores().empty());
    // A joker at the end of two balls of one colour completes a line.
    FieldTestAccess::put(*f, 4, 3, 2);
    f->update(16.0f);
    EXPECT_EQ(newScores().size(), 3u);
    EXPECT_EQ(f->ballAt(4, 1)->state, Ball::State::Exploding);
    EXPECT_EQ(f->ballAt(4, 0)->state, Ball::State::Idle);
}

TEST_F(Lines, ThreeJokersMakeALine) {
    auto f = bareField(emptyLevel());
    for (int c = 0; c < 3; ++c) {
        FieldTestAccess::put(*f, 8, c, Ball::Joker);
    }
    f->update(16.0f);
    EXPECT_EQ(newScores().size(), 3u);
}

TEST_F(Lines, SpecialsNeverStartALine) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 0, 0, Ball::ColourBomb);
    FieldTestAccess::put(*f, 0, 1, Ball::BlastBall);
    FieldTestAccess::put(*f, 0, 2, Ball::ColourBomb);
    f->update(16.0f);
    EXPECT_TRUE(newScores().empty());
    EXPECT_EQ(f->effectCount(), 0);
}

TEST_F(Lines, BusyBallStartsTheWalkOfTheLineBesideIt) {
    // The test from a ball that does not join (here one still popping) finds
    // nothing on its own side, but walks on from it in the opposite direction
    // with its colour: three specials beside it make a line.
    auto f = bareField(emptyLevel());
    Ball* busy = FieldTestAccess::put(*f, 4, 0, 2);
    busy->startPopping();
    busy->delay = 100000.0f;
    FieldTestAccess::put(*f, 4, 1, Ball::ColourBomb);
    FieldTestAccess::put(*f, 4, 2, Ball::BlastBall);
    FieldTestAccess::put(*f, 4, 3, Ball::ColourBomb);
    f->update(16.0f);
    // The three explode (the blast's first step then fills the cell under it).
    std::vector<int> scores = newScores();
    ASSERT_GE(scores.size(), 3u);
    EXPECT_EQ(std::vector<int>(scores.begin(), scores.begin() + 3), (std::vector<int>{10, 12, 14}));
    for (int c = 1; c < 4; ++c) {
        EXPECT_EQ(f->ballAt(4, c)->state, Ball::State::Exploding);
    }
    EXPECT_EQ(busy->state, Ball::State::Popping);
    ASSERT_EQ(f->effectCount(), 3);
    auto* first = dynamic_cast<const ColourBomb*>(f->effect(0));
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->colour(), 2); // the colour of the ball the walk started from
    EXPECT_NE(dynamic_cast<const Blast*>(f->effect(1)), nullptr);
    EXPECT_NE(dynamic_cast<const ColourBomb*>(f->effect(2)), nullptr);
}

TEST_F(Lines, LineFoundFromABusyBallKeepsItsWalkOrderForTheRandomPick) {
    // A popping ball, then a joker and three balls of its colour: the line is
    // found from the popping ball as joker, (4, 2), (4, 3), (4, 4), and the
    // ball that becomes the colour bomb is picked from that order.
    const std::vector<Cell> walk{{4, 1}, {4, 2}, {4, 3}, {4, 4}};
    for (unsigned seed : {11u, 12u, 13u, 14u, 15u, 16u}) {
        SCOPED_TRACE(seed);
        auto f = bareField(emptyLevel());
        Ball* busy = FieldTestAccess::put(*f, 4, 0, 2);
        busy->startPopping();
        busy->delay = 100000.0f;
        FieldTestAccess::put(*f, 4, 1, Ball::Joker);
        for (int c = 2; c < 5; ++c) {
            FieldTestAccess::put(*f, 4, c, 2);
        }
        // The pick is the first number the update draws.
        Random::seed(seed);
        std::size_t pick = static_cast<std::size_t>(Random::rand()) % walk.size();
        Random::seed(seed);
        f->update(16.0f);
        EXPECT_EQ(newScores().size(), 4u);
        for (Cell p : walk) {
            EXPECT_EQ(f->ballAt(p)->becomes, p == walk[pick] ? Ball::ColourBomb : 0)
                << p.row << "," << p.col;
        }
    }
}

TEST_F(Lines, NewBallsLandOnTheirOwnCellsOnBoardsOfEvenRowCounts) {
    for (int rows : {8, 10}) {
        SCOPED_TRACE(rows);
        auto f = bareField(emptyLevel(rows, 10));
        std::vector<Cell> cells{{1, 2}, {rows / 2, 0}, {rows - 1, 3}, {0, 0}};
        int colour = 0;
        for (Cell p : cells) {
            FieldTestAccess::addNewCell(*f, p.row, p.col, colour++);
        }
        f->placeNewCells();
        colour = 0;
        for (Cell p : cells) {
            ASSERT_NE(f->ballAt(p), nullptr) << p.row << "," << p.col;
            EXPECT_EQ(f->ballAt(p)->colour, colour++);
            EXPECT_EQ(f->ballAt(p)->point, f->centre(p.row, p.col));
        }
        EXPECT_EQ(countBalls(*f), 4);
    }
}

TEST_F(Lines, ColourBombWithTwoBallsDestroysTheColour) {
    auto f = bareField(emptyLevel());
    Ball* bomb = FieldTestAccess::put(*f, 4, 0, Ball::ColourBomb);
    FieldTestAccess::put(*f, 4, 1, 2);
    FieldTestAccess::put(*f, 4, 2, 2);
    FieldTestAccess::put(*f, 8, 4, 2); // far away, same colour
    FieldTestAccess::put(*f, 0, 0, 2);
    FieldTestAccess::put(*f, 8, 0, 3); // another colour stays
    f->update(16.0f);
    EXPECT_EQ(newScores(), (std::vector<int>{10, 12, 14}));
    ASSERT_EQ(f->effectCount(), 1);
    auto* effect = dynamic_cast<const ColourBomb*>(f->effect(0));
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->colour(), 2);
    EXPECT_EQ(f->shake().size(), 16);
    EXPECT_EQ(bomb->state, Ball::State::Exploding);
    // Nothing can be selected while the bomb runs, and the level cannot end.
    EXPECT_EQ(f->selectBall(8, 0), -1);
    ASSERT_TRUE(runUntil(
        *f, [&] { return settled(*f); }, 1000));
    std::vector<int> scores = newScores();
    // The two far balls are hit for 100 each (the ones in the line were
    // already exploding when their projectiles arrived).
    EXPECT_EQ(std::count(scores.begin(), scores.end(), 100), 2);
    EXPECT_EQ(f->ballAt(8, 4), nullptr);
    EXPECT_EQ(f->ballAt(0, 0), nullptr);
    ASSERT_NE(f->ballAt(8, 0), nullptr);
    EXPECT_EQ(f->ballAt(8, 0)->state, Ball::State::Idle);
}

TEST_F(Lines, BlastBallExplodesAndFillsWithinItsRadius) {
    auto f = bareField(emptyLevel(11, 11));
    FieldTestAccess::put(*f, 5, 3, Ball::BlastBall);
    FieldTestAccess::put(*f, 5, 4, 1);
    FieldTestAccess::put(*f, 5, 5, 1);
    FieldTestAccess::put(*f, 5, 9, 2); // 240 px away from the blast ball
    FieldTestAccess::put(*f, 3, 3, 2); // about 80 px away
    f->update(16.0f);
    ASSERT_EQ(f->effectCount(), 1);
    ASSERT_NE(dynamic_cast<const Blast*>(f->effect(0)), nullptr);
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->effectCount() == 0; }, 1000));
    EXPECT_EQ(f->ballAt(3, 3), nullptr); // hit and removed
    ASSERT_NE(f->ballAt(5, 9), nullptr);
    EXPECT_EQ(f->ballAt(5, 9)->state, Ball::State::Idle);
    // Every cell within the radius (less a ray step) is filled at once;
    // cells well outside are not.
    Point centre = f->centre(5, 3);
    int filled = 0;
    for (int r = 0; r < 11; ++r) {
        for (int c = 0; c < f->width(r); ++c) {
            float d = (f->centre(r, c) - centre).length();
            if (d < 130.0f) {
                EXPECT_EQ(f->cellBackAt(r, c)->fill, CellBack::Fill::Filled) << r << "," << c;
            }
            if (d > 175.0f) {
                EXPECT_EQ(f->cellBackAt(r, c)->fill, CellBack::Fill::Empty) << r << "," << c;
            }
            filled += f->cellBackAt(r, c)->fill == CellBack::Fill::Filled ? 1 : 0;
        }
    }
    std::vector<int> scores = newScores();
    EXPECT_EQ(std::count(scores.begin(), scores.end(), 300), filled);
    EXPECT_EQ(std::count(scores.begin(), scores.end(), 100), 1);
    int sum = 0;
    for (int s : scores) {
        sum += s;
    }
    EXPECT_EQ(f->score(), sum);
}

TEST_F(Lines, BlastRayFillsALockedCellOutright) {
    std::string map = uniformMap(9, 9, '0');
    auto f = bareField(level(5, 0, 0, 9, 9, map));
    f->cellBackAt(4, 5)->fill = CellBack::Fill::Locked;
    FieldTestAccess::put(*f, 4, 5, 3);
    f->cellBackAt(4, 6)->fill = CellBack::Fill::Half;
    // A blast ball in a line two cells away.
    FieldTestAccess::put(*f, 4, 3, Ball::BlastBall);
    FieldTestAccess::put(*f, 4, 2, 1);
    FieldTestAccess::put(*f, 4, 1, 1);
    f->update(16.0f);
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->effectCount() == 0; }, 1000));
    EXPECT_EQ(f->cellBackAt(4, 5)->fill, CellBack::Fill::Filled);
    EXPECT_EQ(f->cellBackAt(4, 6)->fill, CellBack::Fill::Filled);
    runUntil(
        *f, [&] { return settled(*f); }, 1000);
    // The ball on it exploded; its removal keeps the cell filled.
    EXPECT_EQ(f->ballAt(4, 5), nullptr);
    EXPECT_EQ(f->cellBackAt(4, 5)->fill, CellBack::Fill::Filled);
}

TEST_F(Lines, BallOnTwoLinesIsListedTwice) {
    auto f = bareField(emptyLevel());
    for (Cell p : {Cell{4, 2}, Cell{4, 3}, Cell{4, 4}, Cell{3, 3}, Cell{2, 2}}) {
        FieldTestAccess::put(*f, p.row, p.col, 4);
    }
    f->update(16.0f);
    EXPECT_EQ(newScores(), (std::vector<int>{10, 12, 14, 16, 18, 20}));
    EXPECT_EQ(f->ballsExploded(), 6);
    EXPECT_EQ(f->chains(), 1);
    EXPECT_EQ(f->score(), 90);
}

TEST_F(Lines, MarkedBallEndsTheWalkOfALaterLine) {
    // Five in a row: the first test takes all five; the later tests from the
    // marked balls find nothing more.
    auto f = bareField(emptyLevel());
    for (int c = 0; c < 5; ++c) {
        FieldTestAccess::put(*f, 4, c, 2);
    }
    f->update(16.0f);
    EXPECT_EQ(newScores().size(), 5u);
    int blast = 0;
    for (int c = 0; c < 5; ++c) {
        blast += f->ballAt(4, c)->becomes == Ball::BlastBall ? 1 : 0;
    }
    EXPECT_EQ(blast, 1); // a random ball of the five becomes a blast ball
}

TEST_F(Lines, LineOfFourByTheMoveMakesTheMovedBallAColourBomb) {
    auto f = bareField(emptyLevel());
    for (int c : {0, 1, 3}) {
        FieldTestAccess::put(*f, 4, c, 1);
    }
    FieldTestAccess::put(*f, 0, 0, 1);
    ASSERT_EQ(f->selectBall(0, 0), 1);
    ASSERT_TRUE(f->moveSelectedTo(4, 2));
    Ball* moved = f->ballAt(4, 2);
    ASSERT_TRUE(runUntil(
        *f, [&] { return moved->state != Ball::State::Moving; }, 1000));
    EXPECT_EQ(moved->state, Ball::State::Exploding);
    EXPECT_EQ(moved->becomes, Ball::ColourBomb);
    EXPECT_EQ(newScores(), (std::vector<int>{10, 12, 14, 16}));
    EXPECT_EQ(f->chains(), 1);
    EXPECT_EQ(f->chainCounter(), 1);
    EXPECT_EQ(f->state(), Field::State::Landing);
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->ballAt(4, 0) == nullptr; }, 1000));
    // The cells got their fill, and the moved ball's cell holds a new colour bomb.
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(f->cellBackAt(4, c)->fill, CellBack::Fill::Half);
    }
    ASSERT_NE(f->ballAt(4, 2), nullptr);
    EXPECT_EQ(f->ballAt(4, 2)->colour, Ball::ColourBomb);
    EXPECT_EQ(f->ballAt(4, 2)->state, Ball::State::Popping);
    EXPECT_FLOAT_EQ(f->ballAt(4, 2)->delay, 0.0f);
    EXPECT_EQ(f->ballAt(4, 3), nullptr);
}

TEST_F(Lines, LineOfFiveByLandingBallsTurnsARandomBallIntoABlastBall) {
    auto f = bareField(emptyLevel());
    for (int c : {0, 1, 3, 4}) {
        FieldTestAccess::put(*f, 4, c, 2);
    }
    FieldTestAccess::addNewCell(*f, 4, 2, 2);
    FieldTestAccess::put(*f, 8, 0, 3);
    ASSERT_EQ(f->selectBall(8, 0), 3);
    ASSERT_TRUE(f->moveSelectedTo(8, 1));
    std::set<int> chosenColumns;
    ASSERT_TRUE(runUntil(
        *f, [&] { return newScores().size() == 5u; }, 1000));
    int blast = -1;
    for (int c = 0; c < 5; ++c) {
        if (f->ballAt(4, c)->becomes == Ball::BlastBall) {
            EXPECT_EQ(blast, -1);
            blast = c;
        }
    }
    ASSERT_NE(blast, -1);
    EXPECT_EQ(f->ballAt(8, 1)->becomes, 0);
    ASSERT_TRUE(runUntil(
        *f, [&] { return settled(*f); }, 1000));
    for (int c = 0; c < 5; ++c) {
        if (c == blast) {
            ASSERT_NE(f->ballAt(4, c), nullptr);
            EXPECT_EQ(f->ballAt(4, c)->colour, Ball::BlastBall);
        } else {
            EXPECT_EQ(f->ballAt(4, c), nullptr);
        }
    }
}

TEST_F(Lines, FillsNeedTwoExplosionsOnAnEmptyCell) {
    std::string map = uniformMap(9, 9, '0');
    auto f = bareField(level(5, 0, 0, 9, 9, map));
    f->cellBackAt(8, 1)->fill = CellBack::Fill::Half;
    f->cellBackAt(8, 2)->fill = CellBack::Fill::Locked;
    auto explodeRow = [&] {
        for (int c = 0; c < 3; ++c) {
            FieldTestAccess::put(*f, 8, c, 1);
        }
        f->update(16.0f);
        ASSERT_TRUE(runUntil(
            *f, [&] { return f->ballAt(8, 0) == nullptr; }, 1000));
    };
    explodeRow();
    EXPECT_EQ(f->cellBackAt(8, 0)->fill, CellBack::Fill::Half);
    EXPECT_EQ(f->cellBackAt(8, 1)->fill, CellBack::Fill::Filled);
    EXPECT_EQ(f->cellBackAt(8, 2)->fill, CellBack::Fill::Empty); // unlocked
    explodeRow();
    EXPECT_EQ(f->cellBackAt(8, 0)->fill, CellBack::Fill::Filled);
    EXPECT_EQ(f->cellBackAt(8, 1)->fill, CellBack::Fill::Filled);
    EXPECT_EQ(f->cellBackAt(8, 2)->fill, CellBack::Fill::Half);
}

TEST_F(Lines, ExplodedBallsAreRemovedAfterTheirFade) {
    auto f = bareField(emptyLevel());
    for (int c = 0; c < 3; ++c) {
        FieldTestAccess::put(*f, 8, c, 1);
    }
    f->update(6.0f);
    int updates = 0;
    while (f->ballAt(8, 0) != nullptr && updates < 1000) {
        f->update(6.0f);
        ++updates;
    }
    // alpha falls by 0.03 per 6 ms: below 0 after 34 updates, and the ball is
    // removed in the update that ends its fade.
    EXPECT_EQ(updates, 34);
}

TEST_F(Lines, ChainOfFiveFiresASmallBlast) {
    auto f = bareField(emptyLevel(11, 11));
    // A ball that stays, so that the board never empties (which would be
    // rewarded with new balls).
    FieldTestAccess::put(*f, 9, 6, 4);
    auto scoringMove = [&](int row) {
        FieldTestAccess::clearNewCells(*f);
        FieldTestAccess::put(*f, row, 0, 1);
        FieldTestAccess::put(*f, row, 1, 1);
        FieldTestAccess::put(*f, 10, 5, 1);
        EXPECT_EQ(f->selectBall(10, 5), 1);
        EXPECT_TRUE(f->moveSelectedTo(row, 2));
        Ball* moved = f->ballAt(row, 2);
        EXPECT_TRUE(runUntil(
            *f, [&] { return moved->state != Ball::State::Moving; }, 1000));
        return moved->point;
    };
    auto plainMove = [&] {
        FieldTestAccess::clearNewCells(*f);
        FieldTestAccess::put(*f, 10, 5, 3);
        EXPECT_EQ(f->selectBall(10, 5), 3);
        EXPECT_TRUE(f->moveSelectedTo(10, 0));
        Ball* moved = f->ballAt(10, 0);
        EXPECT_TRUE(runUntil(
            *f, [&] { return moved->state != Ball::State::Moving; }, 1000));
        FieldTestAccess::remove(*f, 10, 0);
    };
    auto waitSettled = [&] {
        ASSERT_TRUE(runUntil(
            *f, [&] { return settled(*f); }, 2000));
    };

    scoringMove(0);
    EXPECT_EQ(f->chainCounter(), 1);
    waitSettled();
    scoringMove(1);
    EXPECT_EQ(f->chainCounter(), 2);
    waitSettled();
    plainMove();
    EXPECT_EQ(f->chainCounter(), 0); // a move without a line resets the chain
    waitSettled();
    for (int i = 0; i < 4; ++i) {
        scoringMove(2 + i);
        EXPECT_EQ(f->chainCounter(), i + 1);
        EXPECT_EQ(f->effectCount(), 0);
        waitSettled();
    }
    // The meter follows the count by 0.01 per update and stops at full.
    EXPECT_TRUE(runUntil(
        *f, [&] { return f->chainDisplay() >= 1.0f; }, 100));
    f->update(16.0f);
    EXPECT_FLOAT_EQ(f->chainDisplay(), 1.0f);
    Point fifth = scoringMove(8);
    EXPECT_EQ(f->chainCounter(), 0);
    ASSERT_EQ(f->effectCount(), 1);
    ASSERT_NE(dynamic_cast<const Blast*>(f->effect(0)), nullptr);
    EXPECT_GE(f->shake().size(), 8);
    EXPECT_EQ(fifth, f->centre(8, 2));
    waitSettled();
    // The small blast filled the cells around the fifth moved ball.
    EXPECT_EQ(f->cellBackAt(8, 2)->fill, CellBack::Fill::Filled);
    EXPECT_EQ(f->cellBackAt(8, 3)->fill, CellBack::Fill::Filled);
    EXPECT_EQ(f->cellBackAt(8, 5)->fill, CellBack::Fill::Empty);
}

TEST_F(Lines, BlockedNewBallsLandElsewhereOrAreDiscarded) {
    auto f = bareField(emptyLevel(3, 3)); // seven cells
    FieldTestAccess::put(*f, 1, 0, 1);
    FieldTestAccess::addNewCell(*f, 1, 2, 2); // where the move goes
    FieldTestAccess::addNewCell(*f, 0, 0, 3);
    ASSERT_EQ(f->selectBall(1, 0), 1);
    ASSERT_TRUE(f->moveSelectedTo(1, 2));
    Ball* moved = f->ballAt(1, 2);
    ASSERT_TRUE(runUntil(
        *f, [&] { return moved->state != Ball::State::Moving; }, 1000));
    EXPECT_EQ(f->state(), Field::State::Landing);
    EXPECT_EQ(countBalls(*f), 3);
    EXPECT_EQ(f->ballColourAt(0, 0), 3);
    int twos = 0;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < f->width(r); ++c) {
            if (Ball* b = f->ballAt(r, c); b && b->colour == 2) {
                ++twos;
                EXPECT_EQ(b->point, f->centre(r, c)); // moved to its new cell
                EXPECT_EQ(b->state, Ball::State::Popping);
            }
        }
    }
    EXPECT_EQ(twos, 1);

    // A full board: the new balls that find no cell are discarded.
    auto g = bareField(emptyLevel(3, 3));
    int colour = 0;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < g->width(r); ++c) {
            FieldTestAccess::put(*g, r, c, (colour++ % 3) + 1);
        }
    }
    FieldTestAccess::remove(*g, 1, 1);
    FieldTestAccess::addNewCell(*g, 0, 0, 4);
    FieldTestAccess::addNewCell(*g, 1, 1, 4);
    FieldTestAccess::addNewCell(*g, 2, 0, 4);
    g->placeNewCells();
    EXPECT_EQ(g->state(), Field::State::Landing);
    EXPECT_TRUE(g->newCells().empty());
    EXPECT_EQ(g->ballColourAt(1, 1), 4);
    EXPECT_EQ(countBalls(*g), 7);
    // Landing ends when the landed balls are idle; the next choice is empty.
    ASSERT_TRUE(runUntil(
        *g, [&] { return g->state() != Field::State::Landing; }, 100));
    EXPECT_TRUE(g->newCells().empty());
}

TEST_F(Lines, NewBallsFillUpToTheLeastNumberOfBalls) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::rules(*f).minBalls = 20;
    FieldTestAccess::put(*f, 0, 0, 1);
    f->chooseNewCells();
    EXPECT_GE(f->newCells().size(), 19u);
    EXPECT_LE(f->newCells().size(), 19u + 6u);
    EXPECT_FLOAT_EQ(f->previewAlpha(), 0.0f);
    // No choice completes a line with the balls or with the other choices.
    for (const auto& ball : f->newCells()) {
        Cell cell = f->geometry().cellAt(ball->point);
        FieldTestAccess::put(*f, cell.row, cell.col, ball->colour);
    }
    f->update(16.0f);
    EXPECT_TRUE(newScores().empty());
}

TEST_F(Lines, JokerPercentage) {
    auto f = bareField(emptyLevel(11, 11));
    FieldTestAccess::rules(*f).jokerPercent = 100;
    f->chooseNewCells();
    ASSERT_FALSE(f->newCells().empty());
    // All jokers would soon line up; the planning refuses three in a row
    // but gives up after 50 tries, so only count that most are jokers.
    int jokers = 0;
    for (const auto& ball : f->newCells()) {
        jokers += ball->colour == Ball::Joker ? 1 : 0;
    }
    EXPECT_EQ(jokers, static_cast<int>(f->newCells().size()));
    FieldTestAccess::clearNewCells(*f);
    FieldTestAccess::rules(*f).jokerPercent = 0;
    f->chooseNewCells();
    for (const auto& ball : f->newCells()) {
        EXPECT_LT(ball->colour, f->colours());
    }
}

} // namespace

namespace {

class Effects : public BoardTest {};

TEST_F(Effects, BlastRaysStepAFixedLengthWhateverTheFrameTime) {
    auto f = bareField(emptyLevel());
    Blast blast(*f, f->centre(4, 4), Blast::chainRadius);
    EXPECT_EQ(blast.raysLeft(), 72);
    int updates = 0;
    while (!blast.update(updates % 2 ? 1000.0f : 1.0f) && updates < 1000) {
        ++updates;
        EXPECT_EQ(blast.raysLeft(), 72);
    }
    // 45 px at 1.75 per update: 25 steps, the ray ends on the 26th update.
    EXPECT_EQ(updates + 1, 26);
    EXPECT_EQ(blast.raysLeft(), 0);
    EXPECT_EQ(layer().additiveParticles().size(), 72u * 25u + 7u * 15u);
    // The cell and its six neighbours were filled, for 300 points each.
    EXPECT_EQ(f->score(), 7 * 300);
    EXPECT_EQ(f->cellBackAt(4, 4)->fill, CellBack::Fill::Filled);
    EXPECT_EQ(f->cellBackAt(3, 3)->fill, CellBack::Fill::Filled);
    EXPECT_EQ(f->cellBackAt(4, 6)->fill, CellBack::Fill::Empty);
}

TEST_F(Effects, ColourBombAimsAtEveryBallOfItsColour) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 0, 0, 2);
    FieldTestAccess::put(*f, 8, 4, 2);
    FieldTestAccess::put(*f, 4, 4, 3);
    ColourBomb bomb(*f, f->centre(4, 4), 2);
    EXPECT_EQ(bomb.projectilesLeft(), 2);
    // A ball that is not idle when its projectile arrives is not hit.
    f->ballAt(0, 0)->state = Ball::State::Popping;
    int updates = 0;
    while (!bomb.update(16.0f) && updates < 1000) {
        ++updates;
    }
    EXPECT_EQ(f->ballAt(0, 0)->state, Ball::State::Popping);
    EXPECT_EQ(f->ballAt(8, 4)->state, Ball::State::Exploding);
    EXPECT_EQ(f->ballAt(4, 4)->state, Ball::State::Idle);
    EXPECT_EQ(f->score(), 100);
    // (4, 4) to (0, 0) is 163.8 px: 59 steps of 2.75, ended on the 60th update.
    EXPECT_EQ(updates + 1, 60);
}

} // namespace
