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

    std::vector<Cell> line_;
};
