#pragma once

#include "board/Cell.h"

#include <vector>

class Board;

// The shortest way for a ball between two cells over free cells. The
// scratch tables are kept between searches so that the search allocates
// nothing once the board's size has been seen.
class PathSearch {
public:
    // Shortest free path from `from` to `to`, both ends included; `from` may
    // hold the ball that travels. Among the shortest paths it keeps to
    // `shown` (the path the player was shown, starting at `from`) as far as
    // that is one of them. False, and path left as it was, when there is none.
    bool find(const Board& board, Cell from, Cell to, const std::vector<Cell>& shown,
              std::vector<Cell>& path);

private:
    struct QueueEntry {
        Cell cell;
        int distance;
    };

    bool spread(const Board& board, Cell from, Cell to);

    std::vector<int> distance_;
    std::vector<QueueEntry> queue_;
};
