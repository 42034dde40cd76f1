#pragma once

#include "board/Cell.h"

#include <vector>

class Board;

// The colours the board will hold once the chosen next balls have landed,
// so that new balls can be dealt without completing a line on their own.
// One entry per position: a ball colour, or -1.
class LinePlan {
public:
    // The plan of the balls on the board now.
    void rebuild(const Board& board);
    void set(const Board& board, Cell p, int colour);
    int colourAt(const Board& board, Cell p) const;
    // Whether colour on cell p would complete a line of three in the plan
    // along any axis; the plan is left as it was.
    bool wouldMakeLine(const Board& board, Cell p, int colour);

private:
    bool makesLine(const Board& board, Cell p, int axis) const;

    std::vector<int> plan_;
};
