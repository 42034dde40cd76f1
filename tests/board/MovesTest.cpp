#include "BoardTestSupport.h"

#include "board/Board.h"
#include "board/Field.h"
#include "board/PathSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>

using namespace boardtest;

namespace {

std::vector<Cell> cells(std::initializer_list<Cell> list) {
    return list;
}

class Moves : public BoardTest {};

TEST_F(Moves, ShortestPathPrefersUpWithoutPreview) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 0, 1);
    std::vector<Cell> path;
    ASSERT_TRUE(f->findPath(4, 0, 2, 1, path));
    EXPECT_EQ(path, cells({{4, 0}, {3, 0}, {2, 0}, {2, 1}}));
}

TEST_F(Moves, PreviewedPathIsFollowedAmongTheShortest) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 0, 1);
    ASSERT_EQ(f->selectBall(4, 0), 1);
    auto hover = [&](int r, int c) {
        Point p = f->centre(r, c);
        f->previewPath(static_cast<int>(p.x), static_cast<int>(p.y));
    };
    // The player drags right first, then up: the preview bends that way.
    hover(4, 1);
    EXPECT_EQ(f->previewedPath(), cells({{4, 0}, {4, 1}}));
    hover(3, 1);
    EXPECT_EQ(f->previewedPath(), cells({{4, 0}, {4, 1}, {3, 1}}));
    hover(2, 1);
    EXPECT_EQ(f->previewedPath(), cells({{4, 0}, {4, 1}, {3, 1}, {2, 1}}));
    std::vector<Cell> path;
    ASSERT_TRUE(f->findPath(4, 0, 2, 1, path));
    EXPECT_EQ(path, f->previewedPath());
    // The markers of the previewed cells fade in, the others out.
    f->update(16.0f);
    EXPECT_GT(f->pathMarkerAt(3, 1)->alpha, 0.0f);
    EXPECT_FLOAT_EQ(f->pathMarkerAt(2, 0)->alpha, 0.0f);
    EXPECT_EQ(f->idleMs(), 16);

    // The move follows the preview too.
    ASSERT_TRUE(f->moveSelectedTo(2, 1));
    Ball* ball = f->ballAt(2, 1);
    ASSERT_NE(ball, nullptr);
    ASSERT_EQ(ball->waypoints.size(), 3u);
    EXPECT_EQ(ball->waypoints[0], f->centre(4, 1));
    EXPECT_EQ(ball->waypoints[1], f->centre(3, 1));
    EXPECT_EQ(ball->waypoints[2], f->centre(2, 1));
    // A third shortest path exists: through (3, 0) and (3, 1).
    FieldTestAccess::setPreviewPath(*f, cells({{4, 0}, {3, 0}, {3, 1}, {2, 1}}));
    FieldTestAccess::put(*f, 4, 0, 2);
    ASSERT_TRUE(f->findPath(4, 0, 2, 1, path) == false); // (2, 1) holds the moving ball now
    FieldTestAccess::remove(*f, 2, 1);
    ASSERT_TRUE(f->findPath(4, 0, 2, 1, path));
    EXPECT_EQ(path, cells({{4, 0}, {3, 0}, {3, 1}, {2, 1}}));
}

TEST_F(Moves, PreviewOutsideTheBoardOrWithoutSelectionIsEmpty) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 0, 1);
    Point target = f->centre(2, 1);
    f->previewPath(static_cast<int>(target.x), static_cast<int>(target.y));
    EXPECT_TRUE(f->previewedPath().empty()); // nothing selected
    ASSERT_EQ(f->selectBall(4, 0), 1);
    f->previewPath(static_cast<int>(target.x), static_cast<int>(target.y));
    EXPECT_EQ(f->previewedPath().size(), 4u);
    f->previewPath(5, 5);
    EXPECT_TRUE(f->previewedPath().empty());
    // Over the selected ball itself: a path of one cell.
    Point own = f->centre(4, 0);
    f->previewPath(static_cast<int>(own.x), static_cast<int>(own.y));
    EXPECT_EQ(f->previewedPath(), cells({{4, 0}}));
    // Over another ball: no path.
    FieldTestAccess::put(*f, 4, 3, 2);
    Point other = f->centre(4, 3);
    f->previewPath(static_cast<int>(other.x), static_cast<int>(other.y));
    EXPECT_TRUE(f->previewedPath().empty());
}

TEST_F(Moves, WallsAndOneStepMoves) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 4, 1);
    std::vector<Cell> path{{7, 7}};
    // Next to the target: a path of two cells.
    ASSERT_TRUE(f->findPath(4, 4, 4, 5, path));
    EXPECT_EQ(path, cells({{4, 4}, {4, 5}}));
    // Surround (0, 0): up, left and the up diagonals are outside; (0, 1),
    // (1, 0) and (1, 1) close it.
    for (Cell n : {Cell{0, 1}, Cell{1, 0}, Cell{1, 1}}) {
        FieldTestAccess::put(*f, n.row, n.col, 2);
    }
    path = {{7, 7}};
    EXPECT_FALSE(f->findPath(4, 4, 0, 0, path));
    EXPECT_EQ(path, cells({{7, 7}})); // left as it was
    ASSERT_EQ(f->selectBall(4, 4), 1);
    EXPECT_FALSE(f->moveSelectedTo(0, 0));
    EXPECT_TRUE(f->isSelectedAt(4, 4)); // a refused move leaves the ball selected
    EXPECT_EQ(f->ballAt(4, 4)->state, Ball::State::Idle);
    // A wall across the board cuts the ball off: row 2 filled.
    auto g = bareField(emptyLevel());
    for (int c = 0; c < g->width(2); ++c) {
        FieldTestAccess::put(*g, 2, c, 3);
    }
    FieldTestAccess::put(*g, 6, 2, 1);
    EXPECT_FALSE(g->findPath(6, 2, 0, 2, path));
    EXPECT_TRUE(g->findPath(6, 2, 3, 2, path));
    EXPECT_EQ(path.size(), 4u);
    // Targets that are not cells or hold a ball.
    EXPECT_FALSE(g->findPath(6, 2, 0, 5, path));
    EXPECT_FALSE(g->findPath(6, 2, 2, 2, path));
    EXPECT_FALSE(g->findPath(-1, 0, 2, 2, path));
}

// The search step by step as the rules give it: every neighbour is queued and
// positions that are no cell, walls or already reached are skipped only when
// they are taken from the queue.
bool literalPath(const Board& f, Cell from, Cell to, const std::vector<Cell>& shown,
                 std::vector<Cell>& path) {
    const HexGeometry& g = f.geometry();
    std::vector<int> dist(static_cast<std::size_t>(g.tableSize()), 0);
    for (int r = 0; r < g.rows(); ++r) {
        for (int c = 0; c < g.width(r); ++c) {
            if (f.ballAt(r, c)) {
                dist[static_cast<std::size_t>(g.index(r, c))] = -1;
            }
        }
    }
    dist[static_cast<std::size_t>(g.index(from))] = 0;
    std::deque<std::pair<Cell, int>> queue{{to, 1}};
    bool found = false;
    while (!queue.empty() && !found) {
        auto [p, d] = queue.front();
        queue.pop_front();
        if (!f.isCell(p) || dist[static_cast<std::size_t>(g.index(p))] != 0) {
            continue;
        }
        dist[static_cast<std::size_t>(g.index(p))] = d;
        if (p == from) {
            found = true;
            break;
        }
        for (Cell n : g.neighbours(p)) {
            queue.push_back({n, d + 1});
        }
    }
    if (!found) {
        return false;
    }
    std::deque<Cell> copy;
    if (!shown.empty()) {
        copy.assign(shown.begin() + 1, shown.end());
    }
    path = {from};
    for (int d = dist[static_cast<std::size_t>(g.index(from))]; d >= 2; --d) {
        std::vector<Cell> kept;
        for (Cell n : g.neighbours(path.back())) {
            if (f.isCell(n) && dist[static_cast<std::size_t>(g.index(n))] == d - 1) {
                kept.push_back(n);
            }
        }
        if (!copy.empty() && std::find(kept.begin(), kept.end(), copy.front()) != kept.end()) {
            path.push_back(copy.front());
            copy.pop_front();
        } else {
            path.push_back(kept.front());
        }
    }
    return true;
}

TEST(PathSearchUnit, MatchesTheStepByStepSearchOnRandomBoards) {
    unsigned state = 12345;
    auto next = [&](unsigned n) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % n;
    };
    PathSearch search;
    for (int round = 0; round < 60; ++round) {
        int size = 5 + 2 * static_cast<int>(next(6)); // 5 to 15 rows and columns
        std::string map = uniformMap(size, size, '0');
        for (char& ch : map) {
            if (next(10) == 0) {
                ch = '.'; // holes
            }
        }
        Board board(level(5, 0, 0, size, size, map));
        auto put = [&](Cell p, int colour) {
            board.put(p, std::make_unique<Ball>(colour, board.geometry().centre(p)));
        };
        const std::vector<Cell> cells = board.cells();
        for (Cell p : cells) {
            if (next(100) < 30) {
                put(p, 1);
            }
        }
        for (int query = 0; query < 40; ++query) {
            Cell from = cells[next(static_cast<unsigned>(cells.size()))];
            Cell to = cells[next(static_cast<unsigned>(cells.size()))];
            if (!board.ballAt(from)) {
                put(from, 2);
            }
            // Now and then a shown path (a shortest one found before) to follow.
            std::vector<Cell> shown;
            if (next(2) == 0) {
                Cell other = cells[next(static_cast<unsigned>(cells.size()))];
                literalPath(board, from, other, {}, shown);
            }
            std::vector<Cell> expected{{-5, -5}};
            std::vector<Cell> actual{{-5, -5}};
            bool e = literalPath(board, from, to, shown, expected);
            bool a = search.find(board, from, to, shown, actual);
            ASSERT_EQ(a, e) << round << "/" << query;
            ASSERT_EQ(actual, expected) << round << "/" << query;
        }
    }
}

TEST_F(Moves, PathsGoRoundWallsOnLargeBoards) {
    auto f = bareField(emptyLevel(41, 41));
    // A wall across the middle row with one gap at the far right end.
    int m = 20;
    for (int c = 0; c < f->width(m) - 1; ++c) {
        FieldTestAccess::put(*f, m, c, 3);
    }
    FieldTestAccess::put(*f, 30, 0, 1);
    std::vector<Cell> path;
    ASSERT_TRUE(f->findPath(30, 0, 10, 0, path));
    // Every step goes to a neighbour, no step enters a ball.
    for (std::size_t i = 1; i < path.size(); ++i) {
        auto n = f->geometry().neighbours(path[i - 1]);
        EXPECT_NE(std::find(n.begin(), n.end(), path[i]), n.end());
        EXPECT_EQ(f->ballAt(path[i]), nullptr);
    }
    EXPECT_EQ(path.back(), (Cell{10, 0}));
    EXPECT_GT(path.size(), 40u);
}

TEST_F(Moves, MoveRefusals) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 4, 1);
    FieldTestAccess::put(*f, 4, 6, 2);
    EXPECT_FALSE(f->moveSelectedTo(4, 5)); // nothing selected
    ASSERT_EQ(f->selectBall(4, 4), 1);
    EXPECT_TRUE(f->isSelectedAt(4, 4));
    EXPECT_EQ(f->selectedBall(), f->ballAt(4, 4));
    EXPECT_FALSE(f->moveSelectedTo(4, 6)); // a ball stands there
    EXPECT_FALSE(f->moveSelectedTo(0, 5)); // not a cell
    EXPECT_FALSE(f->moveSelectedTo(4, 4)); // its own cell holds a ball
    f->deselectAll();
    EXPECT_EQ(f->selectedBall(), nullptr);
    // Selecting another ball deselects the first.
    ASSERT_EQ(f->selectBall(4, 4), 1);
    ASSERT_EQ(f->selectBall(4, 6), 2);
    EXPECT_FALSE(f->isSelectedAt(4, 4));
}

TEST_F(Moves, SelectionOnlyInPlayWithNothingMoving) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 4, 1);
    FieldTestAccess::put(*f, 0, 0, 2);
    EXPECT_EQ(f->selectBall(4, 5), -1); // empty cell
    EXPECT_TRUE(layer().texts().empty());
    for (Field::State state :
         {Field::State::Intro, Field::State::Landing, Field::State::LevelOver}) {
        FieldTestAccess::setState(*f, state);
        EXPECT_EQ(f->selectBall(4, 4), -1);
    }
    FieldTestAccess::setState(*f, Field::State::Play);
    f->ballAt(4, 4)->state = Ball::State::Popping;
    EXPECT_EQ(f->selectBall(4, 4), -1);
    f->ballAt(4, 4)->state = Ball::State::Idle;
    ASSERT_EQ(f->selectBall(0, 0), 2);
    ASSERT_TRUE(f->moveSelectedTo(0, 1));
    EXPECT_EQ(f->selectBall(4, 4), -1); // a ball is moving
    runUntil(*f, [&] { return settled(*f); });
    EXPECT_EQ(f->selectBall(4, 4), 1);
}

TEST_F(Moves, LockedCellShowsCellLocked) {
    std::string map = uniformMap(9, 9, '0');
    map[0] = '4';
    auto f = bareField(level(5, 0, 0, 9, 9, map));
    FieldTestAccess::put(*f, 0, 0, 3);
    EXPECT_EQ(f->selectBall(0, 0), -1);
    EXPECT_FALSE(f->isSelectedAt(0, 0));
    ASSERT_EQ(layer().texts().size(), 1u);
    const FloatingText& t = layer().texts()[0];
    EXPECT_EQ(t.text, "CELL LOCKED");
    EXPECT_FLOAT_EQ(t.size, 24.0f);
    EXPECT_FLOAT_EQ(t.point.x, f->centre(0, 0).x);
    EXPECT_FLOAT_EQ(t.point.y, f->centre(0, 0).y + 12.0f); // moved down by half its size
    EXPECT_FLOAT_EQ(t.colour.r, 1.0f);
    EXPECT_FLOAT_EQ(t.colour.a, 1.0f);
    EXPECT_LE(t.velocity.y, -0.25f);
    EXPECT_GE(t.velocity.y, -0.5f);
    EXPECT_FLOAT_EQ(t.velocity.x, 0.0f);
    // An empty locked cell answers the same way.
    FieldTestAccess::remove(*f, 0, 0);
    EXPECT_EQ(f->selectBall(0, 0), -1);
    EXPECT_EQ(layer().texts().size(), 2u);
}

TEST(Travel, SpeedNoOvershootOneWaypointPerUpdate) {
    Ball ball(1, {0.0f, 0.0f});
    ball.state = Ball::State::Moving;
    ball.waypoints = {{100.0f, 0.0f}, {100.0f, 40.0f}};
    ball.update(60.0f); // 1.65 px per 6 ms: 16.5 px
    EXPECT_NEAR(ball.point.x, 16.5f, 1e-4);
    EXPECT_FLOAT_EQ(ball.point.y, 0.0f);
    ball.update(1000.0f); // 275 px would pass the waypoint: stops on it
    EXPECT_EQ(ball.point, (Point{100.0f, 0.0f}));
    EXPECT_EQ(ball.waypoints.size(), 1u);
    EXPECT_EQ(ball.state, Ball::State::Moving);
    ball.update(1000.0f);
    EXPECT_EQ(ball.point, (Point{100.0f, 40.0f}));
    EXPECT_TRUE(ball.waypoints.empty());
    EXPECT_EQ(ball.state, Ball::State::Moving); // idle only on the next update
    ball.update(16.0f);
    EXPECT_EQ(ball.state, Ball::State::Idle);
    EXPECT_EQ(ball.point, (Point{100.0f, 40.0f}));
}

TEST(Travel, OneSecondCoversTwoHundredSeventyFivePixels) {
    Ball ball(1, {0.0f, 0.0f});
    ball.state = Ball::State::Moving;
    ball.waypoints = {{1000.0f, 0.0f}};
    for (int i = 0; i < 100; ++i) {
        ball.update(10.0f);
    }
    EXPECT_NEAR(ball.point.x, 275.0f, 0.01f);
}

TEST_F(Moves, ArrivalLandsTheNewBallsAndFadesTheMarkers) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 0, 1);
    FieldTestAccess::addNewCell(*f, 8, 4, 2);
    ASSERT_EQ(f->selectBall(4, 0), 1);
    Point target = f->centre(2, 1);
    f->previewPath(static_cast<int>(target.x), static_cast<int>(target.y));
    for (int i = 0; i < 10; ++i) {
        f->update(1.0f); // slow: markers fade in
    }
    ASSERT_GT(f->pathMarkerAt(3, 0)->alpha, 0.3f);
    ASSERT_TRUE(f->moveSelectedTo(2, 1));
    EXPECT_EQ(f->ballAt(4, 0), nullptr); // the old cell is free at once
    Ball* ball = f->ballAt(2, 1);
    ASSERT_NE(ball, nullptr);
    EXPECT_TRUE(ball->movedByPlayer);
    EXPECT_FALSE(ball->selected);
    EXPECT_EQ(ball->state, Ball::State::Moving);
    int updates = 0;
    while (ball->state == Ball::State::Moving && updates < 1000) {
        EXPECT_NE(f->state(), Field::State::Landing);
        f->update(16.0f);
        ++updates;
    }
    // Three legs of 41, 41 and 40 px at 4.4 px per update take 10 updates
    // each (a leg ends on its waypoint), plus the update that stops.
    EXPECT_EQ(updates, 31);
    EXPECT_EQ(ball->point, f->centre(2, 1));
    EXPECT_EQ(FieldTestAccess::lastMovedBall(*f), ball);
    EXPECT_EQ(f->state(), Field::State::Landing);
    EXPECT_TRUE(f->newCells().empty());
    Ball* landed = f->ballAt(8, 4);
    ASSERT_NE(landed, nullptr);
    EXPECT_EQ(landed->state, Ball::State::Popping);
    EXPECT_FLOAT_EQ(landed->delay, 0.0f);
    // The marker the ball passed over faded out behind it.
    EXPECT_FLOAT_EQ(f->pathMarkerAt(3, 0)->fadeStep, -0.04f);
    // The landing ends when the ball has popped; new balls are chosen.
    ASSERT_TRUE(runUntil(
        *f, [&] { return f->state() == Field::State::Play; }, 100));
    EXPECT_EQ(landed->state, Ball::State::Idle);
    EXPECT_GE(f->newCells().size(), 3u);
    EXPECT_EQ(f->chainCounter(), 0);
}

TEST_F(Moves, SelectedBallCaughtInTheClearingCannotMove) {
    auto f = bareField(emptyLevel());
    FieldTestAccess::put(*f, 4, 4, 1);
    ASSERT_EQ(f->selectBall(4, 4), 1);
    FieldTestAccess::setState(*f, Field::State::LevelOver);
    f->onClick(0, 0); // the board is cleared away: the ball explodes
    EXPECT_FALSE(f->moveSelectedTo(4, 6));
    EXPECT_EQ(f->ballAt(4, 4)->state, Ball::State::Exploding);
}

} // namespace
