#include "board/Board.h"

#include "board/LevelFile.h"

#include <algorithm>
#include <optional>

namespace {

std::optional<CellBack::Fill> fillOfMapCharacter(char ch) {
    switch (ch) {
    case '0':
        return CellBack::Fill::Empty;
    case '1':
        return CellBack::Fill::Half;
    case '2':
        return CellBack::Fill::Filled;
    case '4':
        return CellBack::Fill::Locked;
    default:
        return std::nullopt;
    }
}

} // namespace

Board::Board(const LevelFile& file) : geometry_(file.rows, file.columns) {
    std::size_t size = static_cast<std::size_t>(geometry_.tableSize());
    balls_.resize(size);
    cellBacks_.resize(size);
    pathMarkers_.resize(size);
    std::size_t mapIndex = 0;
    for (int r = 0; r < geometry_.rows(); ++r) {
        for (int c = 0; c < geometry_.width(r); ++c, ++mapIndex) {
            char ch = mapIndex < file.map.size() ? file.map[mapIndex] : '\0';
            if (std::optional<CellBack::Fill> fill = fillOfMapCharacter(ch)) {
                addCell({r, c}, *fill);
            }
        }
    }
}

bool Board::addCell(Cell p, CellBack::Fill fill) {
    if (!geometry_.contains(p)) {
        return false;
    }
    int i = geometry_.index(p);
    if (!cellBacks_[i]) {
        ++cellCount_;
    }
    cellBacks_[i] = std::make_unique<CellBack>(fill, geometry_.centre(p));
    pathMarkers_[i] = std::make_unique<PathMarker>(geometry_.centre(p));
    return true;
}

std::vector<Cell> Board::cells() const {
    std::vector<Cell> cells;
    for (int r = 0; r < geometry_.rows(); ++r) {
        for (int c = 0; c < geometry_.width(r); ++c) {
            if (isCell(r, c)) {
                cells.push_back({r, c});
            }
        }
    }
    return cells;
}

std::vector<Cell> Board::freeCells() const {
    std::vector<Cell> cells = this->cells();
    std::erase_if(cells, [this](Cell p) { return ballAt(p) != nullptr; });
    return cells;
}

int Board::ballCount() const {
    return static_cast<int>(std::count_if(balls_.begin(), balls_.end(),
                                          [](const auto& ball) { return ball != nullptr; }));
}

CellBack* Board::cellBackAt(int r, int c) const {
    return geometry_.contains(r, c) ? cellBacks_[geometry_.index(r, c)].get() : nullptr;
}

PathMarker* Board::pathMarkerAt(int r, int c) const {
    return geometry_.contains(r, c) ? pathMarkers_[geometry_.index(r, c)].get() : nullptr;
}

void Board::put(Cell p, std::unique_ptr<Ball> ball) {
    balls_[geometry_.index(p)] = std::move(ball);
}

std::unique_ptr<Ball> Board::take(Cell p) {
    return std::move(balls_[geometry_.index(p)]);
}
