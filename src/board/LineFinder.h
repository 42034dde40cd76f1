#pragma once

#include "board/Cell.h"
#include "board/HexGeometry.h"

#include <functional>
#include <vector>

class Board;
struct Ball;

// Finds the lines of three or more resting balls of one colour (jokers and
// special balls join any colour) along the three axes, marks their balls
// and picks the ball of each long line that becomes a special ball.
class LineFinder {
public:
    // Called for a colour bomb or blast ball caught in a line, with the
    // line's colour, as soon as its line is found.
    using SpecialHit = std::function<void(const Ball& special, int lineColour)>;

    // The cells of every ball in a line, axis by axis in row order; their
    // marks are cleared again.
    std::vector<Cell> find(const Board& board, const SpecialHit& onSpecial);

private:
    void testLine(const Board& board, Cell start, HexGeometry::Axis axis,
                  const SpecialHit& onSpecial);
    // What the tests read of the board, one entry per position in row order.
    void readLayout(const Board& board, std::vector<int>& layout) const;

    std::vector<Cell> line_;
    // The board as the last search that found no line saw it. Most updates
    // only animate balls, and the same layout cannot hold a line then either.
    std::vector<int> quiet_;
    std::vector<int> layout_;
    int quietRows_ = -1;
    int quietColumns_ = -1;
};
