#pragma once

#include "board/Ball.h"

#include <memory>
#include <vector>

class BallDealer;
class Board;
class PropertyFile;
struct LevelStats;

// The keys of a level in play inside a saved game: the balls and fills of
// the board in row order, the next balls and the statistics.
struct FieldSave {
    static void write(PropertyFile& props, const Board& board, bool levelOver,
                      const std::vector<std::unique_ptr<Ball>>& next, const LevelStats& stats);
    // Restores the board, the next balls and the statistics; false, and
    // nothing changed, when the game holds no board. nextRestored tells
    // whether the game held next balls (none is a valid choice of none).
    static bool read(const PropertyFile& props, int colours, Board& board, BallDealer& dealer,
                     LevelStats& stats, bool& nextRestored);
    // What write followed by read gives, without the text: the same balls,
    // fills, next balls and statistics, and the same draws of the random
    // generator in the same order. False, and nothing changed, when the two
    // boards differ in their cells.
    static bool copy(const Board& from, bool levelOver,
                     const std::vector<std::unique_ptr<Ball>>& next, const LevelStats& stats,
                     Board& board, BallDealer& dealer, LevelStats& statsTo, bool& nextRestored);
};
