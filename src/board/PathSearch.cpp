#include "board/PathSearch.h"

#include "board/Board.h"

// Breadth-first from the target, so that the distances found lead back from
// the ball along a shortest path. A distance of 0 is a free position not
// reached yet, -1 a ball.
bool PathSearch::spread(const Board& board, Cell from, Cell to) {
    const HexGeometry& geometry = board.geometry();
    const auto& balls = board.balls();
    distance_.assign(balls.size(), 0);
    for (std::size_t i = 0; i < balls.size(); ++i) {
        if (balls[i]) {
            distance_[i] = -1;
        }
    }
    distance_[geometry.index(from)] = 0;

    queue_.clear();
    queue_.push_back({to, 1});
    for (std::size_t head = 0; head < queue_.size(); ++head) {
        QueueEntry entry = queue_[head];
        if (!board.isCell(entry.cell)) {
            continue;
        }
        int& value = distance_[geometry.index(entry.cell)];
        if (value != 0) {
            continue;
        }
        value = entry.distance;
        if (entry.cell == from) {
            return true;
        }
        // Positions that would be skipped when taken from the queue (no
        // cell, a wall, already reached) are not queued at all.
        for (Cell n : geometry.neighbours(entry.cell)) {
            if (board.isCell(n) && distance_[geometry.index(n)] == 0) {
                queue_.push_back({n, entry.distance + 1});
            }
        }
    }
    return false;
}

bool PathSearch::find(const Board& board, Cell from, Cell to, const std::vector<Cell>& shown,
                      std::vector<Cell>& path) {
    const HexGeometry& geometry = board.geometry();
    if (!geometry.contains(from) || !spread(board, from, to)) {
        return false;
    }

    // The shown path without its first cell, the ball's own.
    std::size_t nextShown = 1;
    path.clear();
    path.push_back(from);
    for (int d = distance_[geometry.index(from)]; d >= 2; --d) {
        Cell last = path.back();
        Cell first{};
        bool any = false;
        bool followShown = false;
        for (Cell n : geometry.neighbours(last)) {
            if (!board.isCell(n) || distance_[geometry.index(n)] != d - 1) {
                continue;
            }
            if (!any) {
                first = n;
                any = true;
            }
            if (nextShown < shown.size() && shown[nextShown] == n) {
                followShown = true;
            }
        }
        if (!any) {
            return false; // cannot happen: every distance was reached from a neighbour
        }
        if (followShown) {
            path.push_back(shown[nextShown++]);
        } else {
            path.push_back(first);
        }
    }
    return true;
}
