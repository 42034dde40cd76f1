#include "board/HexGeometry.h"

#include <cstdlib>

HexGeometry::HexGeometry(int rows, int columns)
    : rows_(rows), columns_(columns), middle_(rows / 2) {}

Point HexGeometry::centre(int r, int c) const {
    return {originX + static_cast<float>(std::abs(r - middle_)) * halfWidth +
                static_cast<float>(c) * cellWidth,
            originY + static_cast<float>(r - middle_) * rowHeight};
}

int HexGeometry::rowAt(int y) const {
    // Distance from the top edge of row 0, which lies half a row above its
    // centre: m + 0.5 rows above the origin. For odd row counts that is
    // rows / 2.0; for even ones rows / 2.0 would put the edge at the centre
    // and answer the row above for the upper half of every row.
    float top = static_cast<float>(y) - originY + (static_cast<float>(middle_) + 0.5f) * rowHeight;
    return static_cast<int>(static_cast<float>(static_cast<int>(top)) / rowHeight);
}

int HexGeometry::columnAt(int x, int y) const {
    int w = columns_ - std::abs(middle_ - rowAt(y));
    float left =
        static_cast<float>(x) - originX - static_cast<float>(columns_ - w) * halfWidth + halfWidth;
    return static_cast<int>(static_cast<float>(static_cast<int>(left)) / cellWidth);
}

Cell HexGeometry::cellAt(Point p) const {
    int x = static_cast<int>(p.x);
    int y = static_cast<int>(p.y);
    return {rowAt(y), columnAt(x, y)};
}

bool HexGeometry::isNearBoard(int x, int y) const {
    const double left = originX - 2.0 * cellWidth;
    const double right = originX + (columns_ + 1.0) * cellWidth;
    const double top = originY - (middle_ + 2.0) * rowHeight;
    const double bottom = originY + (rows_ - middle_ + 1.0) * rowHeight;
    return x >= left && x <= right && y >= top && y <= bottom;
}

std::array<Cell, 6> HexGeometry::neighbours(Cell p) const {
    int r = p.row;
    int c = p.col;
    std::array<Cell, 6> n{Cell{r - 1, c}, Cell{r + 1, c}, Cell{r, c - 1},
                          Cell{r, c + 1}, Cell{},         Cell{}};
    if (r < middle_) {
        n[4] = {r - 1, c - 1};
        n[5] = {r + 1, c + 1};
    } else if (r == middle_) {
        n[4] = {r - 1, c - 1};
        n[5] = {r + 1, c - 1};
    } else {
        n[4] = {r - 1, c + 1};
        n[5] = {r + 1, c - 1};
    }
    return n;
}

Cell HexGeometry::step(Cell p, Axis axis, bool forward) const {
    int r = p.row;
    int c = p.col;
    switch (axis) {
    case Axis::Horizontal:
        return forward ? Cell{r, c - 1} : Cell{r, c + 1};
    case Axis::Falling:
        if (forward) {
            return r - 1 < middle_ ? Cell{r - 1, c - 1} : Cell{r - 1, c};
        }
        return r + 1 <= middle_ ? Cell{r + 1, c + 1} : Cell{r + 1, c};
    case Axis::Rising:
        if (forward) {
            return r + 1 <= middle_ ? Cell{r + 1, c} : Cell{r + 1, c - 1};
        }
        return r - 1 < middle_ ? Cell{r - 1, c} : Cell{r - 1, c + 1};
    }
    return p;
}
