#pragma once

#include "board/Field.h"

#include <memory>
#include <vector>

// Lets the board tests arrange a field directly: its board, its next balls,
// its state and the rules it deals by. Everything else is read through the
// field's and the board's public operations.
class FieldTestAccess {
public:
    static Board& board(Field& f) { return f.board_; }
    static BallDealer& dealer(Field& f) { return f.dealer_; }
    static DealRules& rules(Field& f) { return f.rules_; }
    static LevelStats& stats(Field& f) { return f.stats_; }
    static void setState(Field& f, Field::State state) { f.state_ = state; }
    static void setChainCounter(Field& f, int n) { f.chainCounter_ = n; }
    static void setTimeOnLevel(Field& f, int ms) { stats(f).timeOnLevel = ms; }
    static void setPreviewPath(Field& f, std::vector<Cell> path) {
        f.previewPath_ = std::move(path);
    }
    static Ball* lastMovedBall(const Field& f) { return f.lastMovedBall_; }

    // Puts an idle ball of colour on (r, c), replacing any ball there.
    static Ball* put(Field& f, int r, int c, int colour) {
        auto ball = std::make_unique<Ball>(colour, f.centre(r, c));
        Ball* raw = ball.get();
        board(f).put({r, c}, std::move(ball));
        return raw;
    }
    static void remove(Field& f, int r, int c) { board(f).take({r, c}); }
    static void removeAll(Field& f) {
        for (int r = 0; r < f.rows(); ++r) {
            for (int c = 0; c < f.width(r); ++c) {
                board(f).take({r, c});
            }
        }
        f.lastMovedBall_ = nullptr;
        f.landing_.clear();
    }
    static void clearNewCells(Field& f) { dealer(f).clear(); }
    static Ball* addNewCell(Field& f, int r, int c, int colour) {
        dealer(f).add(std::make_unique<Ball>(colour, f.centre(r, c)));
        return dealer(f).next().back().get();
    }
};
