#include "FieldChecks.h"

#include "board/Field.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <set>
#include <string>

namespace soak {

namespace {

// Rounding of the centres the geometry hands out.
constexpr float centreTolerance = 0.5f;

std::string at(int r, int c) {
    return "(" + std::to_string(r) + ", " + std::to_string(c) + ")";
}

bool isFill(CellBack::Fill fill) {
    switch (fill) {
    case CellBack::Fill::Empty:
    case CellBack::Fill::Half:
    case CellBack::Fill::Filled:
    case CellBack::Fill::Locked:
        return true;
    }
    return false;
}

bool near(Point a, Point b) {
    return std::fabs(a.x - b.x) <= centreTolerance && std::fabs(a.y - b.y) <= centreTolerance;
}

// One position of the board's tables; `inGeometry` tells whether the
// geometry has it at all.
void checkPosition(const Field& f, int r, int c, bool inGeometry, std::vector<const Ball*>& seen,
                   std::vector<std::string>& failures) {
    const std::size_t i = static_cast<std::size_t>(f.geometry().index(r, c));
    const Board& board = f.board();
    const Ball* ball = i < board.balls().size() ? board.balls()[i].get() : nullptr;
    const CellBack* back = i < board.cellBacks().size() ? board.cellBacks()[i].get() : nullptr;
    if (!inGeometry || !back) {
        if (ball)
            failures.push_back("a ball lies off the board at " + at(r, c));
        if (back)
            failures.push_back("a background lies off the board at " + at(r, c));
        return;
    }
    if (!isFill(back->fill)) {
        failures.push_back("the cell " + at(r, c) + " has the fill " +
                           std::to_string(static_cast<int>(back->fill)));
    }
    if (!ball)
        return;
    seen.push_back(ball);
    const bool colourKnown = ball->isSpecial() || (ball->colour >= 0 && ball->colour < f.colours());
    if (!colourKnown)
        failures.push_back("the ball on " + at(r, c) + " has the colour " +
                           std::to_string(ball->colour));
    if (ball->isIdle() && ball->waypoints.empty() && !near(ball->point, f.centre(r, c)))
        failures.push_back("the resting ball of " + at(r, c) + " lies away from its cell");
}

void checkNextBalls(const Field& f, std::vector<std::string>& failures) {
    std::set<std::pair<int, int>> targets;
    for (const auto& next : f.newCells()) {
        const int x = static_cast<int>(std::lround(next->point.x));
        const int y = static_cast<int>(std::lround(next->point.y));
        const int r = f.rowAt(y);
        const int c = f.columnAt(x, y);
        if (!f.isCell(r, c) || !near(next->point, f.centre(r, c))) {
            failures.push_back("a next ball waits off every cell");
        } else if (!targets.insert({r, c}).second) {
            failures.push_back("two next balls wait over " + at(r, c));
        }
    }
}

} // namespace

void checkField(const Field& field, std::vector<std::string>& failures) {
    std::vector<const Ball*> seen;
    seen.reserve(static_cast<std::size_t>(field.cellCount()));
    // Every update of a long soak comes through here: one width per row.
    for (int r = 0; r < field.rows(); ++r) {
        const int width = field.width(r);
        for (int c = 0; c < field.columns(); ++c)
            checkPosition(field, r, c, c < width, seen, failures);
    }
    std::sort(seen.begin(), seen.end());
    if (std::adjacent_find(seen.begin(), seen.end()) != seen.end())
        failures.push_back("one ball lies on two cells");
    checkNextBalls(field, failures);
}

} // namespace soak
