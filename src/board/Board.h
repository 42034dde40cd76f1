#pragma once

#include "board/Ball.h"
#include "board/Cell.h"
#include "board/CellBack.h"
#include "board/HexGeometry.h"
#include "board/PathMarker.h"

#include <memory>
#include <vector>

struct LevelFile;

// The per-position tables of a board: which positions are cells, the
// background and path mark of every cell and the ball on it. The tables hold
// rows x columns entries indexed by the geometry; positions that are no cell
// stay empty.
class Board {
public:
    Board() = default;
    // The cells of a level file's map, every one with its background and path
    // mark and no ball.
    explicit Board(const LevelFile& file);

    const HexGeometry& geometry() const { return geometry_; }
    // Makes (r, c) a cell of the given fill; false outside the geometry.
    bool addCell(Cell p, CellBack::Fill fill);

    bool isCell(int r, int c) const {
        return geometry_.contains(r, c) && cellBacks_[geometry_.index(r, c)] != nullptr;
    }
    bool isCell(Cell p) const { return isCell(p.row, p.col); }
    int cellCount() const { return cellCount_; }
    // The cells in row order.
    std::vector<Cell> cells() const;
    // The cells without a ball, in row order.
    std::vector<Cell> freeCells() const;
    int ballCount() const;

    // None for a position that is not a cell. Inline, as isCell: the rules
    // look up every position several times an update.
    Ball* ballAt(int r, int c) const {
        return isCell(r, c) ? balls_[geometry_.index(r, c)].get() : nullptr;
    }
    Ball* ballAt(Cell p) const { return ballAt(p.row, p.col); }
    CellBack* cellBackAt(int r, int c) const;
    CellBack* cellBackAt(Cell p) const { return cellBackAt(p.row, p.col); }
    PathMarker* pathMarkerAt(int r, int c) const;

    void put(Cell p, std::unique_ptr<Ball> ball);
    std::unique_ptr<Ball> take(Cell p);

    // The whole tables, for the passes over every position.
    const std::vector<std::unique_ptr<Ball>>& balls() const { return balls_; }
    const std::vector<std::unique_ptr<CellBack>>& cellBacks() const { return cellBacks_; }
    const std::vector<std::unique_ptr<PathMarker>>& pathMarkers() const { return pathMarkers_; }

private:
    HexGeometry geometry_;
    std::vector<std::unique_ptr<Ball>> balls_;
    std::vector<std::unique_ptr<CellBack>> cellBacks_;
    std::vector<std::unique_ptr<PathMarker>> pathMarkers_;
    int cellCount_ = 0;
};
