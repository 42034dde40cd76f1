#include "board/LinePlan.h"

#include "board/Board.h"

void LinePlan::rebuild(const Board& board) {
    const auto& balls = board.balls();
    plan_.assign(balls.size(), -1);
    for (std::size_t i = 0; i < balls.size(); ++i) {
        plan_[i] = balls[i] ? balls[i]->colour : -1;
    }
}

void LinePlan::set(const Board& board, Cell p, int colour) {
    if (board.isCell(p)) {
        plan_[board.geometry().index(p)] = colour;
    }
}

int LinePlan::colourAt(const Board& board, Cell p) const {
    return board.isCell(p) ? plan_[board.geometry().index(p)] : -1;
}

bool LinePlan::makesLine(const Board& board, Cell p, int axisNumber) const {
    const HexGeometry& geometry = board.geometry();
    const auto axis = static_cast<HexGeometry::Axis>(axisNumber);
    int k = colourAt(board, p);
    if (k == Ball::ColourBomb || k == Ball::BlastBall) {
        return false;
    }
    auto matches = [&](Cell q) {
        int v = colourAt(board, q);
        return v != -1 && (v == k || (v >= Ball::Joker && v <= Ball::BlastBall));
    };
    int count = 0;
    for (Cell q = p; matches(q); q = geometry.step(q, axis, true)) {
        ++count;
    }
    for (Cell q = geometry.step(p, axis, false); matches(q); q = geometry.step(q, axis, false)) {
        ++count;
    }
    return count >= 3;
}

bool LinePlan::wouldMakeLine(const Board& board, Cell p, int colour) {
    if (!board.isCell(p)) {
        return false;
    }
    if (plan_.size() != board.balls().size()) {
        rebuild(board);
    }
    int& slot = plan_[board.geometry().index(p)];
    int previous = slot;
    slot = colour;
    bool line = false;
    for (int axis = 0; axis < HexGeometry::axisCount && !line; ++axis) {
        line = makesLine(board, p, axis);
    }
    slot = previous;
    return line;
}
