#include "HexBoard.h"

#include <cstdlib>

int HexBoard::width(int r) {
    return columns - std::abs(middle - r);
}

int HexBoard::positionCount() {
    int n = 0;
    for (int r = 0; r < rows; ++r) {
        n += width(r);
    }
    return n;
}

int HexBoard::index(int r, int c) {
    if (r < 0 || r >= rows || c < 0 || c >= width(r)) {
        return -1;
    }
    int i = 0;
    for (int k = 0; k < r; ++k) {
        i += width(k);
    }
    return i + c;
}

double HexBoard::centreX(int r, int c) {
    return 40.0 + std::abs(r - middle) * cellRadius + c * cellWidth;
}

double HexBoard::centreY(int r) {
    return 300.0 + (r - middle) * rowHeight;
}

int HexBoard::doubledX(int r, int c) {
    return std::abs(r - middle) + 2 * c;
}

std::vector<std::pair<int, int>> HexBoard::neighbours(int r, int c) {
    std::vector<std::pair<int, int>> all{{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
    if (r < middle) {
        all.push_back({r - 1, c - 1});
        all.push_back({r + 1, c + 1});
    } else if (r == middle) {
        all.push_back({r - 1, c - 1});
        all.push_back({r + 1, c - 1});
    } else {
        all.push_back({r - 1, c + 1});
        all.push_back({r + 1, c - 1});
    }
    std::vector<std::pair<int, int>> on;
    for (auto p : all) {
        if (index(p.first, p.second) >= 0) {
            on.push_back(p);
        }
    }
    return on;
}
