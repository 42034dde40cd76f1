#include "board/LineFinder.h"

#include "board/Board.h"
#include "platform/Random.h"

namespace {
constexpr std::size_t bombLine = 4;
constexpr std::size_t blastLine = 5;
} // namespace

void LineFinder::readLayout(const Board& board, std::vector<int>& layout) const {
    const HexGeometry& geometry = board.geometry();
    layout.clear();
    for (int r = 0; r < geometry.rows(); ++r) {
        for (int c = 0; c < geometry.width(r); ++c) {
            const Ball* ball = board.ballAt(r, c);
            layout.push_back(!ball ? -1
                                   : ball->colour + (ball->isIdle() ? 0 : 1 << 8) +
                                         (ball->marked ? 1 << 9 : 0));
        }
    }
}

std::vector<Cell> LineFinder::find(const Board& board, const SpecialHit& onSpecial) {
    const HexGeometry& geometry = board.geometry();
    std::vector<Cell> explosions;
    readLayout(board, layout_);
    if (geometry.rows() == quietRows_ && geometry.columns() == quietColumns_ && layout_ == quiet_) {
        return explosions;
    }
    for (int axis = 0; axis < HexGeometry::axisCount; ++axis) {
        for (int r = 0; r < geometry.rows(); ++r) {
            for (int c = 0; c < geometry.width(r); ++c) {
                if (board.ballAt(r, c)) {
                    testLine(board, {r, c}, static_cast<HexGeometry::Axis>(axis), onSpecial);
                }
            }
        }
        for (int r = 0; r < geometry.rows(); ++r) {
            for (int c = 0; c < geometry.width(r); ++c) {
                Ball* ball = board.ballAt(r, c);
                if (ball && ball->marked) {
                    explosions.push_back({r, c});
                    ball->marked = false;
                }
            }
        }
    }
    if (explosions.empty()) {
        quiet_.swap(layout_);
        quietRows_ = geometry.rows();
        quietColumns_ = geometry.columns();
    } else {
        quietRows_ = -1;
    }
    return explosions;
}

// The line from the ball on start along one axis, processed at once so that
// the balls it marks end the walks of later tests.
void LineFinder::testLine(const Board& board, Cell start, HexGeometry::Axis axis,
                          const SpecialHit& onSpecial) {
    const HexGeometry& geometry = board.geometry();
    const int k = board.ballAt(start)->colour;
    if (k == Ball::ColourBomb || k == Ball::BlastBall) {
        return;
    }
    auto joins = [&](Cell p) {
        Ball* ball = board.ballAt(p);
        if (!ball || !ball->isIdle()) {
            return false;
        }
        if (ball->isSpecial()) {
            return true;
        }
        return ball->colour == k && !ball->marked;
    };
    std::vector<Cell>& line = line_;
    line.clear();
    for (Cell p = start; joins(p); p = geometry.step(p, axis, true)) {
        line.push_back(p);
    }
    // The second walk starts beside the ball even when the ball itself did
    // not join (busy, or already in a line on this axis): the balls beyond it
    // still make a line of its colour.
    for (Cell p = geometry.step(start, axis, false); joins(p); p = geometry.step(p, axis, false)) {
        line.push_back(p);
    }
    if (line.size() < 3) {
        return;
    }

    Ball* chosen = nullptr;
    for (Cell p : line) {
        Ball* ball = board.ballAt(p);
        ball->marked = true;
        if ((ball->colour == Ball::BlastBall || ball->colour == Ball::ColourBomb) && onSpecial) {
            onSpecial(*ball, k);
        }
        if (!chosen && ball->movedByPlayer) {
            chosen = ball;
        }
    }
    if (line.size() < bombLine) {
        return;
    }
    if (!chosen) {
        chosen = board.ballAt(line[static_cast<std::size_t>(Random::rand()) % line.size()]);
    }
    chosen->becomes = line.size() >= blastLine ? Ball::BlastBall : Ball::ColourBomb;
}
