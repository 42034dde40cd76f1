#pragma once

#include "board/Ball.h"
#include "board/Cell.h"

#include <memory>
#include <vector>

class Board;
class LinePlan;

// How a level deals its balls.
struct DealRules {
    int colours = 5;
    int jokerPercent = 0;
    // The fewest balls the board should hold once the next balls have landed.
    int minBalls = 0;
};

// Deals the balls of a level: the starting balls, the next balls shown
// before they land, and their landing. Colours are drawn so that a new ball
// rarely completes a line on its own.
class BallDealer {
public:
    // Puts the starting balls on candidates, the first lockedCount of them
    // (the locked cells) in order, the others at random, until fillPercent
    // of the cells hold a ball; answers the number of balls aimed at, never
    // fewer than the locked cells.
    static int dealStartingBalls(Board& board, LinePlan& plan, const DealRules& rules,
                                 std::vector<Cell> candidates, int lockedCount, int fillPercent);

    // The next balls, each at the centre of the cell it will land on.
    const std::vector<std::unique_ptr<Ball>>& next() const { return next_; }
    void clear() { next_.clear(); }
    void add(std::unique_ptr<Ball> ball) { next_.push_back(std::move(ball)); }

    // Chooses three to six next balls on free cells, more when the board
    // holds fewer than the rules' minimum.
    void choose(const Board& board, LinePlan& plan, const DealRules& rules);
    // Lands the next balls popping; a ball whose cell has been taken lands
    // on a random free cell, or not at all when none is left. Appends the
    // cells landed on to landed.
    void place(Board& board, std::vector<Cell>& landed);

private:
    std::vector<std::unique_ptr<Ball>> next_;
};
