// The units the field is made of, each on a board arranged by hand, with no
// field around them.
#include "BoardTestSupport.h"

#include "board/BallDealer.h"
#include "board/Board.h"
#include "board/LineFinder.h"
#include "board/LinePlan.h"
#include "board/PathSearch.h"
#include "platform/Random.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace boardtest;

namespace {

Ball* putBall(Board& board, Cell p, int colour) {
    auto ball = std::make_unique<Ball>(colour, board.geometry().centre(p));
    Ball* raw = ball.get();
    board.put(p, std::move(ball));
    return raw;
}

TEST(BoardTables, CellsComeFromTheMapAndOnlyCellsHoldBalls) {
    // Row 0 of a 3 by 3 board has two positions: a wall and a locked cell.
    Board board(level(5, 0, 0, 3, 3,
                      "x4"
                      "000"
                      "1 "));
    EXPECT_EQ(board.cellCount(), 5);
    EXPECT_FALSE(board.isCell(0, 0));
    EXPECT_FALSE(board.isCell(2, 1));
    EXPECT_EQ(board.cellBackAt(0, 1)->fill, CellBack::Fill::Locked);
    EXPECT_EQ(board.cellBackAt(2, 0)->fill, CellBack::Fill::Half);
    EXPECT_EQ(board.cellBackAt(0, 0), nullptr);
    EXPECT_EQ(board.pathMarkerAt(-1, 0), nullptr);
    EXPECT_EQ(board.cellBackAt(3, 0), nullptr);

    // Making a cell twice counts it once; a position outside is refused.
    EXPECT_TRUE(board.addCell({0, 0}, CellBack::Fill::Filled));
    EXPECT_TRUE(board.addCell({0, 0}, CellBack::Fill::Empty));
    EXPECT_FALSE(board.addCell({0, 2}, CellBack::Fill::Empty));
    EXPECT_EQ(board.cellCount(), 6);

    putBall(board, {1, 1}, 2);
    EXPECT_EQ(board.ballCount(), 1);
    std::vector<Cell> expected{{0, 0}, {0, 1}, {1, 0}, {1, 2}, {2, 0}};
    EXPECT_EQ(board.freeCells(), expected);
    std::unique_ptr<Ball> taken = board.take({1, 1});
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(taken->colour, 2);
    EXPECT_EQ(board.ballAt(1, 1), nullptr);
    EXPECT_EQ(board.ballCount(), 0);
}

TEST(PathSearchUnit, GoesRoundBallsAndWallsAndReusesItsTablesAcrossSizes) {
    PathSearch search;
    std::vector<Cell> path;

    // A wide board first, so that the tables are larger than the next one.
    Board wide(emptyLevel(41, 41));
    ASSERT_TRUE(search.find(wide, {20, 0}, {20, 40}, {}, path));
    EXPECT_EQ(path.size(), 41u);

    // The middle row of a 3 by 3 board blocked by a ball: the way from the
    // left goes over the top row or the bottom row, never through the ball.
    Board small(emptyLevel(3, 3));
    putBall(small, {1, 0}, 1);
    putBall(small, {1, 1}, 2);
    ASSERT_TRUE(search.find(small, {1, 0}, {1, 2}, {}, path));
    ASSERT_EQ(path.size(), 4u);
    EXPECT_EQ(path.front(), (Cell{1, 0}));
    EXPECT_EQ(path.back(), (Cell{1, 2}));
    for (Cell p : path) {
        EXPECT_FALSE(p == (Cell{1, 1}));
    }
    // Shown the way along the bottom row, it keeps to it.
    std::vector<Cell> bottom{{1, 0}, {2, 0}, {2, 1}, {1, 2}};
    ASSERT_TRUE(search.find(small, {1, 0}, {1, 2}, bottom, path));
    EXPECT_EQ(path, bottom);

    // Fenced in: no way, and no way to or from a position outside.
    putBall(small, {0, 0}, 3);
    putBall(small, {2, 0}, 3);
    EXPECT_FALSE(search.find(small, {1, 0}, {1, 2}, {}, path));
    EXPECT_FALSE(search.find(small, {1, 2}, {5, 5}, {}, path));
    EXPECT_FALSE(search.find(small, {-1, 0}, {1, 2}, {}, path));
}

TEST(LineFinderUnit, MarksAreClearedAndSpecialsReportTheLineColour) {
    Random::seed(1);
    Board board(emptyLevel());
    putBall(board, {4, 2}, 3);
    putBall(board, {4, 3}, Ball::ColourBomb);
    putBall(board, {4, 4}, 3);
    putBall(board, {0, 0}, 3); // alone
    std::vector<int> hits;
    LineFinder finder;
    std::vector<Cell> found = finder.find(board, [&](const Ball& special, int colour) {
        EXPECT_EQ(special.colour, Ball::ColourBomb);
        hits.push_back(colour);
    });
    std::vector<Cell> expected{{4, 2}, {4, 3}, {4, 4}};
    EXPECT_EQ(found, expected);
    EXPECT_EQ(hits, std::vector<int>{3});
    for (Cell p : found) {
        EXPECT_FALSE(board.ballAt(p)->marked);
        EXPECT_EQ(board.ballAt(p)->becomes, 0); // three make no special ball
    }
    // The same board again finds the same line: nothing was left marked.
    EXPECT_EQ(finder.find(board, nullptr), expected);
}

// A search that found nothing is not repeated on an unchanged board; every
// change a line depends on must still be seen.
TEST(LineFinderUnit, ABoardThatChangesIsSearchedAgain) {
    Random::seed(1);
    Board board(emptyLevel());
    putBall(board, {4, 2}, 3);
    putBall(board, {4, 3}, 2);
    putBall(board, {4, 4}, 3);
    LineFinder finder;
    EXPECT_TRUE(finder.find(board, nullptr).empty());
    EXPECT_TRUE(finder.find(board, nullptr).empty());
    // A colour changed in place.
    board.ballAt(4, 3)->colour = 3;
    std::vector<Cell> expected{{4, 2}, {4, 3}, {4, 4}};
    EXPECT_EQ(finder.find(board, nullptr), expected);

    // A ball that comes to rest completes the line it stands in.
    board.ballAt(4, 3)->state = Ball::State::Popping;
    EXPECT_TRUE(finder.find(board, nullptr).empty());
    board.ballAt(4, 3)->state = Ball::State::Idle;
    EXPECT_EQ(finder.find(board, nullptr), expected);

    // A ball taken away and put back elsewhere.
    board.ballAt(4, 3)->state = Ball::State::Popping;
    EXPECT_TRUE(finder.find(board, nullptr).empty());
    board.put({3, 3}, board.take({4, 3}));
    board.ballAt(3, 3)->state = Ball::State::Idle;
    EXPECT_TRUE(finder.find(board, nullptr).empty());
    board.put({4, 3}, board.take({3, 3}));
    EXPECT_EQ(finder.find(board, nullptr), expected);

    // Another board of the same contents in its first rows is its own board.
    Board wide(emptyLevel(9, 11));
    putBall(wide, {4, 2}, 3);
    putBall(wide, {4, 3}, 3);
    putBall(wide, {4, 4}, 3);
    EXPECT_EQ(finder.find(wide, nullptr), expected);
}

TEST(LinePlanUnit, AskingLeavesThePlanAsItWas) {
    Board board(emptyLevel());
    putBall(board, {4, 2}, 1);
    LinePlan plan;
    plan.rebuild(board);
    plan.set(board, {4, 3}, 1); // a next ball beside it
    EXPECT_TRUE(plan.wouldMakeLine(board, {4, 4}, 1));
    EXPECT_FALSE(plan.wouldMakeLine(board, {4, 4}, 2));
    // A planned joker joins the colour asked about, but only that one.
    putBall(board, {0, 0}, 4);
    plan.rebuild(board);
    plan.set(board, {0, 1}, Ball::Joker);
    EXPECT_TRUE(plan.wouldMakeLine(board, {0, 2}, 4));
    EXPECT_FALSE(plan.wouldMakeLine(board, {0, 2}, 3));
    plan.set(board, {4, 3}, 1);
    EXPECT_FALSE(plan.wouldMakeLine(board, {4, 4}, Ball::BlastBall));
    EXPECT_EQ(plan.colourAt(board, {4, 4}), -1);
    EXPECT_FALSE(plan.wouldMakeLine(board, {9, 0}, 1)); // no cell
    // Rebuilt from the board, the next ball's colour is gone.
    plan.rebuild(board);
    EXPECT_FALSE(plan.wouldMakeLine(board, {4, 4}, 1));
}

TEST(BallDealerUnit, NextBallsNeverExceedTheFreeCellsAndBlockedOnesMoveOrVanish) {
    Random::seed(7);
    Board board(emptyLevel(3, 3));
    const std::vector<Cell> all = board.cells();
    for (std::size_t i = 0; i + 2 < all.size(); ++i) {
        putBall(board, all[i], static_cast<int>(i % 5));
    }
    LinePlan plan;
    BallDealer dealer;
    dealer.choose(board, plan, DealRules{5, 0, 0});
    ASSERT_EQ(dealer.next().size(), 2u); // three to six wanted, two cells free

    // Another ball takes the cell of the first: it lands on the one left.
    Cell first = board.geometry().cellAt(dealer.next()[0]->point);
    Cell second = board.geometry().cellAt(dealer.next()[1]->point);
    putBall(board, first, 0);
    std::vector<Cell> landed;
    dealer.place(board, landed);
    EXPECT_TRUE(dealer.next().empty());
    EXPECT_EQ(landed, std::vector<Cell>{second}); // the blocked one found no cell
    EXPECT_EQ(board.ballAt(second)->state, Ball::State::Popping);
    EXPECT_TRUE(board.freeCells().empty());
}

} // namespace
