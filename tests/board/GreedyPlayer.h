#pragma once

// A simple player for whole-level tests: it moves a ball where it makes the
// longest line (or, as a loser, where it makes none), through the calls the
// pointer control uses.
#include "board/Field.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

class GreedyPlayer {
public:
    explicit GreedyPlayer(unsigned seed, bool loser = false) : rng_(seed), loser_(loser) {}

    // The move it would make; false when no ball can go anywhere.
    bool choose(const Field& f, Cell& bestFrom, Cell& bestTo) {
        int bestValue = -1;
        int ties = 0;
        for (int r = 0; r < f.rows(); ++r) {
            for (int c = 0; c < f.width(r); ++c) {
                Ball* ball = f.ballAt(r, c);
                if (!ball || !ball->isIdle() ||
                    f.cellBackAt(r, c)->fill == CellBack::Fill::Locked) {
                    continue;
                }
                for (Cell to : reachable(f, {r, c})) {
                    int value = lineValue(f, {r, c}, to, ball->colour) * 4;
                    if (f.cellBackAt(to)->fill != CellBack::Fill::Filled) {
                        value += 2;
                    }
                    if (f.cellBackAt(r, c)->fill == CellBack::Fill::Filled) {
                        value += 1;
                    }
                    if (loser_) {
                        value = 100 - value;
                    }
                    if (value > bestValue) {
                        bestValue = value;
                        bestFrom = {r, c};
                        bestTo = to;
                        ties = 1;
                    } else if (value == bestValue &&
                               std::uniform_int_distribution<int>(0, ties++)(rng_) == 0) {
                        bestFrom = {r, c};
                        bestTo = to;
                    }
                }
            }
        }
        return bestValue >= 0;
    }

    // Makes one move on the field itself; false when no ball can go anywhere.
    bool move(Field& f) {
        Cell bestFrom{};
        Cell bestTo{};
        if (!choose(f, bestFrom, bestTo)) {
            return false;
        }
        int colour = f.ballColourAt(bestFrom.row, bestFrom.col);
        EXPECT_EQ(f.selectBall(bestFrom.row, bestFrom.col), colour);
        Point over = f.centre(bestTo.row, bestTo.col);
        f.previewPath(static_cast<int>(over.x), static_cast<int>(over.y));
        EXPECT_FALSE(f.previewedPath().empty());
        bool moved = f.moveSelectedTo(bestTo.row, bestTo.col);
        EXPECT_TRUE(moved);
        f.deselectAll();
        return moved;
    }

private:
    static std::vector<Cell> reachable(const Field& f, Cell from) {
        const HexGeometry& g = f.geometry();
        std::vector<char> seen(static_cast<std::size_t>(g.tableSize()), 0);
        std::vector<Cell> todo{from};
        std::vector<Cell> found;
        seen[static_cast<std::size_t>(g.index(from))] = 1;
        while (!todo.empty()) {
            Cell p = todo.back();
            todo.pop_back();
            for (Cell n : g.neighbours(p)) {
                if (!f.isCell(n) || f.ballAt(n) || seen[static_cast<std::size_t>(g.index(n))]) {
                    continue;
                }
                seen[static_cast<std::size_t>(g.index(n))] = 1;
                found.push_back(n);
                todo.push_back(n);
            }
        }
        return found;
    }

    // The longest run of matching balls the colour would stand in at `to`
    // once it has left `from`.
    static int lineValue(const Field& f, Cell from, Cell to, int colour) {
        if (colour >= Ball::Joker) {
            return 0;
        }
        const HexGeometry& g = f.geometry();
        auto matches = [&](Cell p) {
            if (p == from || !f.isCell(p)) {
                return false;
            }
            Ball* b = f.ballAt(p);
            return b && b->isIdle() && (b->colour == colour || b->isSpecial());
        };
        int best = 1;
        for (int axis = 0; axis < HexGeometry::axisCount; ++axis) {
            auto a = static_cast<HexGeometry::Axis>(axis);
            int n = 1;
            for (Cell p = g.step(to, a, true); matches(p); p = g.step(p, a, true)) {
                ++n;
            }
            for (Cell p = g.step(to, a, false); matches(p); p = g.step(p, a, false)) {
                ++n;
            }
            best = std::max(best, n);
        }
        return best;
    }

    std::mt19937 rng_;
    bool loser_;
};
