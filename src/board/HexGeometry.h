#pragma once

#include "board/Cell.h"
#include "board/Point.h"

#include <array>

// The shape of a hexagonal board: rows of interlocking positions, the widest
// in the middle, every row further out one position shorter. It knows where
// positions are on the screen, which position lies under a screen point, the
// six neighbours of a position and the steps along the three line axes. It
// knows nothing about which positions are cells.
class HexGeometry {
public:
    static constexpr float cellWidth = 40.0f;
    static constexpr float halfWidth = 20.0f;
    // sqrt(40^2 - 20^2) + 1.1: rows overlap slightly less than a tight packing.
    static constexpr float rowHeight = 35.741016f;
    static constexpr float originX = 40.0f;
    static constexpr float originY = 300.0f;

    enum class Axis { Horizontal = 0, Falling = 1, Rising = 2 };
    static constexpr int axisCount = 3;

    HexGeometry() = default;
    HexGeometry(int rows, int columns);

    int rows() const { return rows_; }
    int columns() const { return columns_; }
    int middle() const { return middle_; }

    // Number of positions in row r (0 outside the board). Inline: every rule
    // pass over the board asks it for every position.
    int width(int r) const {
        if (r < 0 || r >= rows_) {
            return 0;
        }
        const int w = columns_ - (middle_ > r ? middle_ - r : r - middle_);
        return w > 0 ? w : 0;
    }
    bool contains(int r, int c) const { return r >= 0 && r < rows_ && c >= 0 && c < width(r); }
    bool contains(Cell p) const { return contains(p.row, p.col); }
    // Index into per-position tables of rows x columns entries.
    int index(int r, int c) const { return r * columns_ + c; }
    int index(Cell p) const { return index(p.row, p.col); }
    int tableSize() const { return rows_ * columns_; }

    Point centre(int r, int c) const;
    Point centre(Cell p) const { return centre(p.row, p.col); }
    // Row and position under a screen point in whole pixels, cut toward zero;
    // the answer may lie outside the board.
    int rowAt(int y) const;
    int columnAt(int x, int y) const;
    Cell cellAt(Point p) const;
    // Whether the screen point (x, y) lies within two cells of the board's
    // positions. Every point that rowAt and columnAt place on a position
    // does; the lookups are meant for such points only, since far off the
    // board their arithmetic leaves the range of int.
    bool isNearBoard(int x, int y) const;

    // The six neighbours in the order the path search expands them.
    std::array<Cell, 6> neighbours(Cell p) const;
    // One step along an axis: forward is the first direction (left, up-left,
    // down-left), otherwise the opposite one.
    Cell step(Cell p, Axis axis, bool forward) const;

private:
    int rows_ = 0;
    int columns_ = 0;
    int middle_ = 0;
};
